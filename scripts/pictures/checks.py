"""What every pose picture must satisfy, read back from the posed body and the
outlines the picture paints: whole limbs of the body's own lengths, joined at
their joints and bent within ordinary human ranges; resting on the floor with
the parts the pose names and with nothing below it; large enough to read; and
the near side painted as the near one."""

from . import body as B
from . import drawing as D

PX = 2.0                # picture units to pixels of the 500 px (@2x) picture
LENGTH_TOLERANCE = 0.02
CONTACT_PX = 1.0        # a named contact is at most this far above what it rests on
BELOW_PX = 0.5          # nothing is further below the floor (or the blanket) than this
MIN_SPAN = 0.6          # of the picture's width or height
MIN_CONTRAST = 3.0      # of every skin tone against the wall and the halo


def check(scene):
    """Every problem found, one sentence each; empty when the picture is sound."""
    missing = [s.name for s in B.SEGMENTS
               if not all(s.name in d for d in (scene.posed.start, scene.posed.end,
                                                scene.posed.frame))
               or s.name not in scene.solids or s.name not in scene.outlines]
    if missing:
        return ["%s is missing" % name for name in missing]
    trained = scene.pose.get("trained", [])
    problems = ["%r is no range a trained body widens" % name for name in trained
                if tuple(name.split(" ", 1)) not in B.TRAINED]
    return (problems + check_segments(scene.posed) + check_ranges(scene.posed, trained)
            + check_contacts(scene) + check_span(scene) + check_near_side(scene))


def check_segments(posed):
    problems = []
    for seg in B.SEGMENTS:
        measured = B.length(B.sub(posed.end[seg.name], posed.start[seg.name]))
        if abs(measured - seg.length) > LENGTH_TOLERANCE * seg.length:
            problems.append("%s is %.1f cm long, not %.1f" % (seg.name, measured, seg.length))
        if seg.parent:
            socket = posed.point(seg.parent, seg.at)
            off = B.length(B.sub(posed.start[seg.name], socket))
            if off > LENGTH_TOLERANCE * seg.length:
                problems.append("%s is %.1f cm away from its %s" % (seg.name, off, seg.joint))
        frame = posed.frame[seg.name]
        if abs(_det(frame) - 1) > 1e-6 or any(
                abs(B.dot(B.column(frame, i), B.column(frame, j)) - (i == j)) > 1e-6
                for i in range(3) for j in range(3)):
            problems.append("%s is not a rigid part" % seg.name)
    return problems


def _det(m):
    return B.dot(B.column(m, 0), B.cross(B.column(m, 1), B.column(m, 2)))


def _joint_pairs():
    """(name, kind, side, parent part, child part) of every joint the ranges
    cover; the neck is the head against the chest, and each half of it too."""
    pairs = [("neck", "spine", None, "upper_trunk", "head"),
             ("neck", "spine", None, "upper_trunk", "neck"),
             ("neck", "spine", None, "neck", "head")]
    for seg in B.SEGMENTS:
        if seg.parent and seg.joint not in ("neck", "head"):
            name = seg.joint + ("_" + seg.side if seg.side else "")
            pairs.append((name, B.JOINT_KINDS[seg.joint], seg.side, seg.parent, seg.name))
    return pairs


def check_ranges(posed, trained=()):
    problems = []
    for name, kind, side, parent, child in _joint_pairs():
        rotation = B.compose(B.transpose(posed.frame[parent]), posed.frame[child])
        angles = B.joint_angles(kind, side, rotation)
        joint = name.rsplit("_", 1)[0] if side else name
        for angle, value in angles.items():
            low, high = B.RANGES[joint][angle]
            if "%s %s" % (joint, angle) in trained:
                low, high = B.TRAINED[(joint, angle)]
            if not low - 0.5 <= value <= high + 0.5:
                problems.append("%s %s is %.0f degrees, outside %d to %d (%s against %s)"
                                % (name, angle, value, low, high, child, parent))
    return list(dict.fromkeys(problems))


def _clearances(scene, seg_name):
    """How far, in pixels of the 500 px picture, a part's lowest point is above
    what is under it, and how far its lowest-reaching point is (negative when
    it is below the floor or into the blanket)."""
    px = scene.scale * PX
    ellipsoids = [e for piece in scene.solids[seg_name] for e in piece]
    lowest = [B.lowest(e) for e in ellipsoids]
    rest = min(p[1] - scene.support(p[0], p[2]) for p in lowest)
    reach = min(p[1] - scene.support(p[0], p[2])
                for e in ellipsoids for p in B.surface(e) + [B.lowest(e)])
    return rest * px, reach * px


def check_contacts(scene):
    problems = []
    for seg in B.SEGMENTS:
        rest, reach = _clearances(scene, seg.name)
        if reach < -BELOW_PX:
            problems.append("%s goes %.1f px below the floor" % (seg.name, -reach))
        elif seg.name in scene.contacts and rest > CONTACT_PX:
            problems.append("%s should rest on the floor but is %.1f px above it"
                            % (seg.name, rest))
    unknown = set(scene.contacts) - set(B.BY_NAME)
    problems += ["contact %s is no body part" % name for name in sorted(unknown)]
    return problems


def check_span(scene):
    xs = [x * PX for pieces in scene.outlines.values() for piece in pieces for x, _ in piece]
    ys = [y * PX for pieces in scene.outlines.values() for piece in pieces for _, y in piece]
    side = D.SIZE * PX
    span = max(max(xs) - min(xs), max(ys) - min(ys)) / side
    if span < MIN_SPAN:
        return ["the figure spans %.0f %% of the picture, less than %.0f %%"
                % (100 * span, 100 * MIN_SPAN)]
    return []


def check_near_side(scene):
    """The side painted in the near tone is the side the pelvis turns to the
    viewer (either, when the viewer is straight in front or behind)."""
    right = B.dot(B.column(scene.posed.frame["pelvis"], 2), scene.camera.toward)
    if abs(right) > 0.05 and (right > 0) != (scene.near == B.RIGHT):
        return ["the side painted as near is not the one the pelvis turns to the viewer"]
    return []


def _luminance(colour):
    def channel(v):
        v /= 255
        return v / 12.92 if v <= 0.03928 else ((v + 0.055) / 1.055) ** 2.4
    r, g, b = (channel(int(colour[i:i + 2], 16)) for i in (1, 3, 5))
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contrast(a, b):
    la, lb = sorted((_luminance(a), _luminance(b)), reverse=True)
    return (la + 0.05) / (lb + 0.05)


def check_palette():
    return ["%s has %.2f:1 against %s, less than %.0f:1" % (tone, contrast(tone, ground),
                                                           ground, MIN_CONTRAST)
            for tone in (D.NEAR_TONE, D.TRUNK_TONE, D.FAR_TONE) for ground in (D.WALL, D.HALO)
            if contrast(tone, ground) < MIN_CONTRAST]


def describe(scene):
    """How far each low part is above what it rests on, for whoever tunes a pose."""
    lines = []
    for seg in B.SEGMENTS:
        rest, _ = _clearances(scene, seg.name)
        if rest < 30:
            mark = "*" if seg.name in scene.contacts else " "
            lines.append("  %s %-12s %6.1f px" % (mark, seg.name, rest))
    return lines
