# shellcheck shell=bash
# The speech service for the end-to-end tests: Debian's speech-dispatcher, run
# for one test in its private folders ($work, $XDG_RUNTIME_DIR,
# $XDG_CONFIG_HOME, from lib.sh's private_home), with one output module, the
# generic one, that writes what it is given to speak to a file instead of a
# sound device. Sourced after lib.sh.
#
#   start_speech_server   starts it; exports PRANOTH_SPOKEN, the file each
#                         phrase spoken is appended to as one line, and
#                         PRANOTH_SPOKEN_DETAILS, the same lines preceded by
#                         "rate=R pitch=P volume=V language=L voice=N<TAB>",
#                         and PRANOTH_SPEECH_SERVER, the id of the server's
#                         process group (to hang it with SIGSTOP, or kill it).
#                         Stopped when the test exits.
#   stop_speech_server    stops it at once (a service going away mid-session).
#   no_speech_server      no speech service at all: clients find none and
#                         start none.
#
# Clients (libspeechd, so Qt's "speechd" engine, and spd-say) find the server
# at its default address, $XDG_RUNTIME_DIR/speech-dispatcher/speechd.sock;
# SPEECHD_ADDRESS names that address as well, and SPEECHD_CMD keeps them from
# starting a server of their own if this one is gone. All of these are
# exported, so start the program after calling these functions.
#
# PRANOTH_SPEECH_PACE (seconds a character, default 0.01) sets how long each
# phrase takes to "speak", after a fixed 0.2 s, so that speaking is seen.

speech_dir() { echo "${work:?private_home comes first}/speech"; }

start_speech_server() {
    local dir config sock
    dir=$(speech_dir)
    config=$XDG_CONFIG_HOME/speech-dispatcher
    sock=$XDG_RUNTIME_DIR/speech-dispatcher/speechd.sock
    mkdir -p "$dir/log" "$config/modules" "${sock%/*}"
    export PRANOTH_SPOKEN=$dir/spoken PRANOTH_SPOKEN_DETAILS=$dir/spoken-details
    : >"$PRANOTH_SPOKEN"
    : >"$PRANOTH_SPOKEN_DETAILS"

    # What the module runs for each phrase: arguments text, rate, pitch,
    # volume, language, voice. The module treats a failure as a broken
    # synthesizer and quits, so this always succeeds.
    cat >"$dir/speak" <<SPEAK
#!/bin/bash
text=\${1//\$'\\n'/ }
printf '%s\\n' "\$text" >>'$PRANOTH_SPOKEN'
printf 'at=%s rate=%s pitch=%s volume=%s language=%s voice=%s\\t%s\\n' "\$(date +%s%3N)" "\$2" "\$3" "\$4" "\$5" "\$6" "\$text" \\
    >>'$PRANOTH_SPOKEN_DETAILS'
sleep "\$(awk -v n="\${#text}" -v pace='${PRANOTH_SPEECH_PACE:-0.01}' 'BEGIN { print 0.2 + n * pace }')"
exit 0
SPEAK
    chmod +x "$dir/speak"

    # The module below makes no sound; the server's own audio output, used by
    # modules that hand it sound, is one this machine lacks.
    cat >"$config/speechd.conf" <<CONF
LogLevel 3
LogDir "$dir/log"
AudioOutputMethod "libao"
DefaultRate 0
DefaultPitch 0
DefaultVolume 100
DefaultLanguage "en-US"
DefaultModule pranoth
AddModule "pranoth" "sd_generic" "pranoth.conf"
CONF
    # The whole text in one go (split only at a "~", which no phrase holds,
    # never at sentence ends or figures), in UTF-8 for
    # the languages listed (others, "c" among them, are recoded to Latin-1, as
    # the module does); $RATE, $PITCH and $VOLUME are the clients' own values,
    # -100..100 (the module scales them by Multiply/100).
    {
        printf '%s\n' \
            "GenericExecuteSynth \"'$dir/speak' \\'\$DATA\\' \$RATE \$PITCH \$VOLUME \$LANGUAGE \$VOICE\"" \
            'GenericMaxChunkLength 100000' \
            'GenericDelimiters "~"' \
            'GenericRateAdd 0' 'GenericRateMultiply 100' 'GenericRateForceInteger 1' \
            'GenericPitchAdd 0' 'GenericPitchMultiply 100' 'GenericPitchForceInteger 1' \
            'GenericVolumeAdd 0' 'GenericVolumeMultiply 100' 'GenericVolumeForceInteger 1'
        local lang
        for lang in en en-us en-gb de fr es hi; do
            printf 'GenericLanguage "%s" "%s" "utf-8"\n' "$lang" "$lang"
        done
        printf '%s\n' 'AddVoice "en-US" "FEMALE1" "pranoth-en-us"' \
            'AddVoice "en-GB" "MALE1" "pranoth-en-gb"' \
            'AddVoice "de" "FEMALE1" "pranoth-de"' \
            'AddVoice "hi" "MALE1" "pranoth-hi"' \
            'DefaultVoice "pranoth-en-us"'
    } >"$config/modules/pranoth.conf"

    export SPEECHD_ADDRESS=unix_socket:$sock SPEECHD_CMD=/bin/false
    setsid speech-dispatcher --run-single --timeout 0 --config-dir "$config" \
        --communication-method unix_socket --socket-path "$sock" \
        --pid-file "$dir/server.pid" --log-dir "$dir/log" \
        >"$dir/log/server.out" 2>&1 &
    echo $! >"$dir/pid"
    export PRANOTH_SPEECH_SERVER=$!
    trap 'stop_speech_server || true; cleanup' EXIT
    local _
    for _ in $(seq 200); do
        [[ -S "$sock" ]] && return 0
        kill -0 "$(cat "$dir/pid")" 2>/dev/null || break
        sleep 0.05
    done
    fail "the speech server did not start: $(cat "$dir/log/server.out" "$dir"/log/*.log 2>/dev/null)"
}

# Stops the server and its module, whatever state they are in (even stopped
# with SIGSTOP): the server leads a process group of its own; the module runs
# each phrase in a group of its own, which is killed as the module goes.
stop_speech_server() {
    local pidfile pid _
    pidfile=$(speech_dir)/pid
    [[ -s "$pidfile" ]] || return 0
    pid=$(cat "$pidfile")
    rm -f "$pidfile"
    kill -CONT -- "-$pid" 2>/dev/null || true
    kill -TERM -- "-$pid" 2>/dev/null || return 0
    for _ in $(seq 60); do
        kill -0 -- "-$pid" 2>/dev/null || return 0
        sleep 0.05
    done
    kill -KILL -- "-$pid" 2>/dev/null || true
}

# Clients look for a server where none listens, and the command they would
# start one with only fails.
no_speech_server() {
    export SPEECHD_ADDRESS=unix_socket:$XDG_RUNTIME_DIR/speech-dispatcher/speechd.sock
    export SPEECHD_CMD=/bin/false
    unset PRANOTH_SPOKEN PRANOTH_SPOKEN_DETAILS PRANOTH_SPEECH_SERVER
}
