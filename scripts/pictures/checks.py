"""What every pose picture must satisfy, read back from the posed body and the
outlines the picture paints: whole limbs of the body's own lengths, joined at
their joints and bent within ordinary human ranges; resting on the floor with
the parts the pose names, clear of it with those it holds off, and with
nothing below it; large enough to read; and the near side painted as the near
one. And what a beginner must be able to
read from the picture: every hand that shows joined to its forearm, the parts
a pose lays along the floor lying along the mat as seen, a twist's turn shared
by the chest and seen, and the body's landmarks a pose brings together
together, and the parts it rests one on another (the hips on the heels)
resting there."""

import math


from . import body as B
from . import drawing as D

PX = 2.0                # picture units to pixels of the 500 px (@2x) picture
LENGTH_TOLERANCE = 0.02
CONTACT_PX = 1.0        # a named contact is at most this far above what it rests on
CLEAR_PX = 8.0          # a part a pose holds off the floor is at least this far above it
BELOW_PX = 0.5          # nothing is further below the floor (or the blanket) than this
MIN_SPAN = 0.6          # of the picture's width or height
MIN_CONTRAST = 3.0      # of every skin tone against the wall and the halo
HAND_SEEN_PX = 6.0      # a hand showing at least this many pixels (at 250 px) shows
JOINED_PX = 2 * D.GAP + 1.0   # what shows of a hand is at most this far from its forearm
FLAT_CM = 3.0           # each end of a part lying along the floor is at most this high
FLAT_SEEN = 30          # degrees: a part lying along the floor is seen at most this steep
FLAT_SHORTENED = 0.5    # ... and at least this much of its length
FLAT_ABOVE = 60         # degrees: seen from this high above, the mat is broad and a part lying
                        # along it reads so whichever way it points; its shortening alone counts
CHEST_SHARE = 0.35      # of a twist's whole turn, the chest (against the pelvis) turns this much
CHEST_TURN = 25         # degrees, at least
TURN_SEEN = 0.2         # the shoulders seen this much broader or narrower (of their width) than the hips
TOUCH_CM = 9.0          # two landmarks a pose brings together are at most this far apart
RESTS_ON_CM = 1.5       # a part a pose rests on another is at most this far from it


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
    if scene.ghost:
        problems += ["the other phase: " + p for p in check_ranges(scene.ghost, trained)]
    return (problems + check_segments(scene.posed) + check_ranges(scene.posed, trained)
            + check_contacts(scene) + check_span(scene) + check_near_side(scene)
            + check_hands_joined(scene) + check_resting(scene) + check_turn(scene)
            + check_touch(scene) + check_rests_on(scene))


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
        elif seg.name in scene.pose.get("clear", []) and rest < CLEAR_PX:
            problems.append("%s should be held off the floor but is %.1f px above it: it reads "
                            "as resting" % (seg.name, rest))
    unknown = (set(scene.contacts) | set(scene.pose.get("clear", []))) - set(B.BY_NAME)
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


def _inside(polygon, x, y):
    """Whether (x, y) is inside a convex polygon."""
    sign = 0
    for (ax, ay), (bx, by) in zip(polygon, polygon[1:] + polygon[:1]):
        turn = (bx - ax) * (y - ay) - (by - ay) * (x - ax)
        if turn:
            if sign and (turn > 0) != (sign > 0):
                return False
            sign = turn
    return True


def _seen(scene, names, step=0.5):
    """The picture's points (every step units) where each named part shows,
    not covered by a part painted after it."""
    order = [p.name for p in scene.parts]
    boxes = {p.name: [(min(x for x, _ in q), min(y for _, y in q), max(x for x, _ in q),
                       max(y for _, y in q), q) for q in p.pieces if len(q) >= 3]
             for p in scene.parts}
    seen = {}
    for name in names:
        later = [b for p in order[order.index(name) + 1:] for b in boxes[p]]
        own = boxes[name]
        x0, y0 = min(b[0] for b in own), min(b[1] for b in own)
        x1, y1 = max(b[2] for b in own), max(b[3] for b in own)
        points = []
        for i in range(int((x1 - x0) / step) + 1):
            for j in range(int((y1 - y0) / step) + 1):
                x, y = x0 + i * step, y0 + j * step
                if any(b[0] <= x <= b[2] and b[1] <= y <= b[3] and _inside(b[4], x, y)
                       for b in own) and not any(
                        b[0] <= x <= b[2] and b[1] <= y <= b[3] and _inside(b[4], x, y)
                        for b in later):
                    points.append((x, y))
        seen[name] = points
    return seen


def check_hands_joined(scene, step=0.5):
    """A hand that shows is seen joined to its forearm: some of what shows of
    it lies against what shows of the forearm, not cut off by a part in front."""
    problems = []
    for side in (B.LEFT, B.RIGHT):
        hand, forearm = "hand_" + side, "forearm_" + side
        seen = _seen(scene, (hand, forearm), step)
        if len(seen[hand]) * step * step < HAND_SEEN_PX:
            continue
        wrist = scene.to_picture(scene.camera.project(scene.posed.start[hand]))
        near = [p for p in seen[forearm] if math.dist(p, wrist) < 3 * JOINED_PX]
        if not any(math.dist(p, q) <= JOINED_PX for p in seen[hand] for q in near):
            problems.append("%s shows but is not seen joined to its forearm" % hand)
    return problems


def check_resting(scene):
    """The parts a pose lays along the floor lie along it, both ends down, and
    are seen lying along the mat; every part resting on the floor is painted
    on the mat."""
    problems = []
    for name in scene.pose.get("flat", []):
        ellipsoids = scene.solids[name][0]
        ends = (ellipsoids[0], ellipsoids[-1])
        high = max(B.lowest(e)[1] - scene.support(B.lowest(e)[0], B.lowest(e)[2]) for e in ends)
        if high > FLAT_CM:
            problems.append("%s should lie along the floor but one end is %.1f cm above it"
                            % (name, high))
            continue
        (ax, ay), (bx, by) = (scene.to_picture(scene.camera.project(scene.posed.start[name])),
                              scene.to_picture(scene.camera.project(scene.posed.end[name])))
        shown = math.hypot(bx - ax, by - ay) / (scene.scale * B.BY_NAME[name].length)
        steep = math.degrees(math.atan2(abs(by - ay), abs(bx - ax)))
        if scene.camera.rise >= math.sin(math.radians(FLAT_ABOVE)):
            steep = 0.0
        if shown < FLAT_SHORTENED or steep > FLAT_SEEN:
            problems.append("%s lies along the floor but is seen %.0f degrees steep, %.0f %% of "
                            "its length: it reads as lifted off the mat"
                            % (name, steep, 100 * shown))
    left, top, right, bottom = scene.mat()
    for name in scene.contacts:
        if name not in B.BY_NAME:
            continue
        low = min((B.lowest(e) for piece in scene.solids[name] for e in piece),
                  key=lambda p: p[1] - scene.support(p[0], p[2]))
        if scene.support(low[0], low[2]):
            continue
        x, y = scene.to_picture(scene.camera.project(low))
        if not (left <= x <= right and top - 1 <= y <= bottom):
            problems.append("%s rests on the floor but is painted off the mat" % name)
    return problems


def _facing(frame, toward):
    """How broad a part's width is seen, 0 (edge on) to 1 (square on)."""
    across = B.column(frame, 2)
    return math.sqrt(max(0.0, 1 - B.dot(across, toward) ** 2))


def check_turn(scene):
    """A twist turns the chest, not only the head: against the pelvis the
    chest turns a share of the whole turn, to the side the pose names, and the
    shoulders are seen broader or narrower than the hips."""
    side = scene.pose.get("turn")
    if not side:
        return []
    frame = scene.posed.frame
    sign = 1 if side == "right" else -1

    def turned(part):
        rotation = B.compose(B.transpose(frame["pelvis"]), frame[part])
        return sign * B.joint_angles("spine", None, rotation)["rot"]
    chest, head = turned("upper_trunk"), turned("head")
    problems = []
    if chest < CHEST_TURN or chest < CHEST_SHARE * head:
        problems.append("the chest turns %.0f degrees to the %s of the head's %.0f: the turn "
                        "reads as the neck's" % (chest, side, head))
    seen = abs(_facing(frame["upper_trunk"], scene.camera.toward)
               - _facing(frame["pelvis"], scene.camera.toward))
    if seen < TURN_SEEN:
        problems.append("the shoulders are seen as broad as the hips (%.2f of their width "
                        "apart): the chest's turn does not show" % seen)
    return problems


def check_touch(scene):
    """The landmarks a pose brings together (its touch pairs) meet."""
    problems = []
    for a, b in scene.pose.get("touch", []):
        apart = B.length(B.sub(B.landmark(scene.posed, a), B.landmark(scene.posed, b)))
        if apart > TOUCH_CM:
            problems.append("%s is %.0f cm from %s, more than %.0f" % (a, apart, b, TOUCH_CM))
    return problems


def check_rests_on(scene):
    """The parts a pose rests one on another (its rests_on pairs) meet: their
    shapes come this close, not merely their landmarks."""
    problems = []
    for a, b in scene.pose.get("rests_on", []):
        near = [[p for piece in scene.solids[name] for e in piece for p in B.surface(e, 6)]
                for name in (a, b)]
        apart = min(B.length(B.sub(p, q)) for p in near[0] for q in near[1])
        if apart > RESTS_ON_CM:
            problems.append("%s is %.1f cm from %s: it does not rest on it" % (a, apart, b))
    return problems


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
