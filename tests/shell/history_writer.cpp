// Keeps sample results in a history one after another until it is killed,
// printing "kept N" once result N is committed; or, given "sessions", keeps
// one practice session started at each of the times (seconds since 1970, UTC)
// and ends.
//
//   history_writer PATH FIRST
//   history_writer PATH sessions START...

#include "history_samples.h"
#include "shell/history_store.h"

#include <QCoreApplication>

#include <cstdio>
#include <string_view>

int main(int argc, char *argv[])
{
    const QCoreApplication app(argc, argv);
    if (argc < 3)
        return 2;
    pranoth::HistoryStore store(QString::fromLocal8Bit(argv[1]));
    if (std::string_view(argv[2]) == "sessions") {
        for (int i = 3; i < argc; ++i) {
            pranoth::KeptSession session{0, std::atoll(argv[i]), "1.15", 300, {{0, 30, 30}}};
            if (!store.keepSession(session).isEmpty())
                return 1;
        }
        return 0;
    }
    for (int n = std::atoi(argv[2]);; ++n) {
        pranoth::KeptResult record = pranoth::testing::sampleResult(n);
        if (!store.keep(record).isEmpty())
            return 1;
        std::printf("kept %d\n", n);
        std::fflush(stdout);
    }
}
