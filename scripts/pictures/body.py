"""The one figure every pose picture is drawn from: a jointed body with fixed
proportions, posed in three dimensions by joint angles.

Lengths are in centimetres. A body part's own frame has x pointing forward,
y along the part (up the trunk, down the limbs when standing) and z to the
body's right; standing upright with the arms hanging and the palms forward,
every frame is the pelvis's. A frame is a 3x3 matrix whose columns are its
x, y and z axes in the room, where y is up and the floor is y = 0."""

import math

# --- vectors and rotations ----------------------------------------------------


def add(a, b):
    return (a[0] + b[0], a[1] + b[1], a[2] + b[2])


def sub(a, b):
    return (a[0] - b[0], a[1] - b[1], a[2] - b[2])


def scale(a, k):
    return (a[0] * k, a[1] * k, a[2] * k)


def dot(a, b):
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]


def cross(a, b):
    return (a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0])


def length(a):
    return math.sqrt(dot(a, a))


def unit(a):
    return scale(a, 1.0 / length(a))


def apply(m, v):
    """The matrix m times the vector v."""
    return tuple(m[i][0] * v[0] + m[i][1] * v[1] + m[i][2] * v[2] for i in range(3))


def compose(a, b):
    return tuple(tuple(sum(a[i][k] * b[k][j] for k in range(3)) for j in range(3))
                 for i in range(3))


def transpose(m):
    return tuple(tuple(m[j][i] for j in range(3)) for i in range(3))


def column(m, j):
    return (m[0][j], m[1][j], m[2][j])


def rot_x(degrees):
    c, s = math.cos(math.radians(degrees)), math.sin(math.radians(degrees))
    return ((1, 0, 0), (0, c, -s), (0, s, c))


def rot_y(degrees):
    c, s = math.cos(math.radians(degrees)), math.sin(math.radians(degrees))
    return ((c, 0, s), (0, 1, 0), (-s, 0, c))


def rot_z(degrees):
    c, s = math.cos(math.radians(degrees)), math.sin(math.radians(degrees))
    return ((c, -s, 0), (s, c, 0), (0, 0, 1))


def euler_zxy(m):
    """The angles (a, b, c) in degrees with m = rot_z(a) rot_x(b) rot_y(c)."""
    b = math.asin(max(-1.0, min(1.0, m[2][1])))
    a = math.atan2(-m[0][1], m[1][1])
    c = math.atan2(-m[2][0], m[2][2])
    return tuple(math.degrees(v) for v in (a, b, c))


# --- the body -----------------------------------------------------------------

RIGHT, LEFT = "r", "l"


def lateral(side):
    """+1 for the right side (the frames' z), -1 for the left."""
    return 1 if side == RIGHT else -1


class Segment:
    """One body part: where its joint sits on its parent (in the parent's frame,
    from the parent's joint), the bone from its own joint to its far end (in its
    own frame), and the ellipsoids its shape is the hull of: one list of
    (centre, semi-axes along x, y, z) per convex piece."""

    def __init__(self, name, parent, joint, at, bone, pieces, side=None):
        self.name, self.parent, self.joint = name, parent, joint
        self.at, self.bone, self.pieces, self.side = at, bone, pieces, side

    @property
    def length(self):
        return length(self.bone)


def _sided(side):
    """The parts of one side, mirrored through the body's middle."""
    m = lateral(side)
    return [
        Segment("upper_arm_" + side, "upper_trunk", "shoulder", (-1, 19.5, 17 * m), (0, -29, 0),
                [[((0, 0, 0), (5.6, 5.6, 5.6)), ((0, -29, 0), (4.3, 4.3, 4.3))]], side),
        Segment("forearm_" + side, "upper_arm_" + side, "elbow", (0, -29, 0), (0, -25, 0),
                [[((0, 0, 0), (4.2, 4.2, 4.2)), ((0, -25, 0), (2.1, 2.2, 3.1))]], side),
        Segment("hand_" + side, "forearm_" + side, "wrist", (0, -25, 0), (0, -10, 0),
                [[((0, -0.5, 0), (1.8, 1.5, 2.9)), ((0, -9.5, 0), (1.6, 1.5, 4.3))]], side),
        Segment("thigh_" + side, "pelvis", "hip", (0, 0, 9 * m), (0, -41, 0),
                [[((0.5, -9, 0.5 * m), (7.8, 6.5, 7.8)), ((0, -41, 0), (5.8, 5.8, 5.8))]], side),
        Segment("shin_" + side, "thigh_" + side, "knee", (0, -41, 0), (0, -41, 0),
                [[((0, 0, 0), (5.5, 5.5, 5.5)), ((-1.6, -13, 0), (6.0, 8.0, 5.2)),
                  ((0, -41, 0), (3.4, 3.0, 3.4))]], side),
        Segment("foot_" + side, "shin_" + side, "ankle", (0, -41, 0), (19, -6, 0),
                [[((0, 0, 0), (3.3, 3.3, 3.3)), ((-3.8, -4.2, 0), (3.6, 3.0, 3.3)),
                  ((12.5, -5.4, 0), (3.0, 1.9, 4.3))],
                 [((12.5, -5.5, 0), (2.6, 1.7, 4.2)), ((19, -5.8, -0.8 * m), (1.7, 1.2, 3.0))]],
                side),
    ]


SEGMENTS = [
    Segment("pelvis", None, "root", (0, 0, 0), (0, 12, 0),
            [[((-1, 1, 0), (10, 10, 17)), ((-1, 12, 0), (10, 5, 15))]]),
    Segment("lower_trunk", "pelvis", "lumbar", (0, 12, 0), (0, 17, 0),
            [[((0, 0, 0), (9.5, 5, 13.5)), ((0, 10, 0), (9.5, 5, 12.8)),
              ((0, 17, 0), (10, 5, 13.5))]]),
    Segment("upper_trunk", "lower_trunk", "thoracic", (0, 17, 0), (0, 24, 0),
            [[((0, 0, 0), (10.5, 6, 14)), ((1, 10, 0), (11, 7, 15.2)),
              ((-1, 20.5, 0), (6.5, 3.5, 15.5)), ((-1.5, 21.5, 0), (6, 4, 10))]]),
    Segment("neck", "upper_trunk", "neck", (0, 24, 0), (0, 9, 0),
            [[((0, 0, 0), (6.2, 4, 6.2)), ((0.5, 9, 0), (5.6, 3, 5.6))]]),
    Segment("head", "neck", "head", (0.5, 9, 0), (2, 20.5, 0),
            [[((2, 9, 0), (10, 11.5, 8.5))]]),
] + _sided(RIGHT) + _sided(LEFT)

BY_NAME = {s.name: s for s in SEGMENTS}
TORSO = ("pelvis", "lower_trunk", "upper_trunk")

# Angle names per kind of joint, and how each turns the part from its rest pose
# in the parent's frame (composed as rot_z, then rot_x, then rot_y): the sign
# that makes the named movement positive. A number is the same on both sides;
# "m" is multiplied by the side's lateral sign.
#   spine:  flex forward, side bend to the right, rot (turn) to the right
#   ball:   flex (thigh or arm forward), abd (away from the middle), rot (outward)
#   elbow:  flex, pron (palm turned from forward towards the back)
#   wrist:  flex (towards the palm), abd (towards the thumb)
#   knee:   flex, rot (toes turned outward)
#   ankle:  flex (toes up: + flexed foot, - pointed), inv (sole turned inward),
#           rot (toes turned outward)
# A hinge's other angles (the elbow's and knee's abd, the wrist's rot) are there
# to be measured: their ranges keep them near zero.
JOINT_KINDS = {
    "lumbar": "spine", "thoracic": "spine", "neck": "spine", "head": "spine",
    "shoulder": "ball", "hip": "ball", "elbow": "elbow", "wrist": "wrist",
    "knee": "knee", "ankle": "ankle",
}
AXES = {  # kind -> ((angle, sign) about z, (angle, sign) about x, (angle, sign) about y)
    "spine": (("flex", -1), ("side", 1), ("rot", -1)),
    "ball": (("flex", 1), ("abd", "-m"), ("rot", "-m")),
    "elbow": (("flex", 1), ("abd", "-m"), ("pron", "m")),
    "wrist": (("flex", 1), ("abd", "-m"), ("rot", 1)),
    "knee": (("flex", -1), ("abd", "-m"), ("rot", "-m")),
    "ankle": (("flex", 1), ("inv", "m"), ("rot", "-m")),
}


def _sign(sign, side):
    if sign in ("m", "-m"):
        return lateral(side) * (-1 if sign == "-m" else 1)
    return sign


def joint_rotation(kind, side, angles):
    """The rotation a joint of this kind makes for the named angles."""
    (za, zs), (xa, xs), (ya, ys) = AXES[kind]
    unknown = set(angles) - {za, xa, ya}
    if unknown:
        raise ValueError("%s joint has no angle %s" % (kind, ", ".join(sorted(unknown))))
    return compose(compose(rot_z(_sign(zs, side) * angles.get(za, 0.0)),
                           rot_x(_sign(xs, side) * angles.get(xa, 0.0))),
                   rot_y(_sign(ys, side) * angles.get(ya, 0.0)))


def joint_angles(kind, side, rotation):
    """The named angles of a joint's rotation: the inverse of joint_rotation."""
    a, b, c = euler_zxy(rotation)
    (za, zs), (xa, xs), (ya, ys) = AXES[kind]
    return {za: _sign(zs, side) * a, xa: _sign(xs, side) * b, ya: _sign(ys, side) * c}


# Ordinary ranges of movement, in degrees, for an untrained adult practising
# gently; the whole neck is the head measured against the chest. The knee
# folds to 165 kneeling back onto the heels, the calf pressed to the thigh
# (the parts' shapes are then pressed into each other).
RANGES = {
    "lumbar": {"flex": (-35, 50), "side": (-25, 25), "rot": (-15, 15)},
    "thoracic": {"flex": (-25, 40), "side": (-25, 25), "rot": (-35, 35)},
    "neck": {"flex": (-70, 65), "side": (-40, 40), "rot": (-70, 70)},
    "shoulder": {"flex": (-60, 180), "abd": (-45, 180), "rot": (-90, 90)},
    "elbow": {"flex": (0, 150), "abd": (-10, 10), "pron": (-10, 175)},
    "wrist": {"flex": (-80, 80), "abd": (-20, 30), "rot": (-10, 10)},
    "hip": {"flex": (-25, 130), "abd": (-35, 60), "rot": (-40, 60)},
    "knee": {"flex": (0, 165), "abd": (-10, 10), "rot": (-30, 30)},
    "ankle": {"flex": (-60, 30), "inv": (-20, 35), "rot": (-25, 25)},
}


# Beyond the ordinary: what a trained body reaches, which a pose may use only by
# naming it ("hip rot") in its list `trained`. The lotus and the folded leg of
# the twist turn the hip outward, and the frog opens it sideways, well past the
# ordinary range; their records ask the practitioner never to force it.
TRAINED = {("hip", "rot"): (-40, 110), ("hip", "abd"): (-35, 85)}


# Fingers and thumb, in the hand's frame (palm towards x, thumb towards the
# side's lateral z), by how the hand is held: m is the side's lateral sign.
HAND_SHAPES = {
    "flat": lambda m: [
        [((0, -9.4, 0), (1.4, 1.4, 4.0)), ((0.2, -17.5, -0.3 * m), (1.0, 1.0, 2.8))],
        [((0.9, -2.2, 2.6 * m), (1.4, 1.4, 1.4)), ((2.0, -7.6, 5.0 * m), (1.0, 1.0, 1.0))],
    ],
    "fist": lambda m: [
        [((1.4, -9.6, 0), (2.6, 2.3, 4.1)), ((3.0, -7.4, 0), (1.8, 2.4, 3.7))],
        [((1.5, -2.5, 2.5 * m), (1.4, 1.4, 1.4)), ((3.2, -7.0, 1.5 * m), (1.0, 1.0, 1.0))],
    ],
}


# The foot's toes, in the foot's frame, by how they are held: "flat" in line
# with the foot, "tucked" bent up at the ball of the foot (kneeling on them).
FOOT_TOES = {
    "flat": lambda m: [((12.5, -5.5, 0), (2.6, 1.7, 4.2)), ((19, -5.8, -0.8 * m), (1.7, 1.2, 3.0))],
    "tucked": lambda m: [((12.5, -5.5, 0), (2.6, 1.7, 4.2)), ((14.2, -0.6, -0.8 * m), (1.3, 3.2, 3.0))],
}

# Points of the body a pose can ask to be near each other ("touch"): a part and
# a point in its own frame, from its joint; m is the side's lateral sign.
LANDMARKS = {
    "navel": lambda m: ("lower_trunk", (9.5, 3, 0)),
    "sternum": lambda m: ("upper_trunk", (11.5, 12, 0)),
    "spine": lambda m: ("lower_trunk", (-10, 12, 0)),      # the small of the back
    "back": lambda m: ("lower_trunk", (-8, 10, 8 * m)),      # beside the small of the back
    "sacrum": lambda m: ("pelvis", (-10.5, 8, 6 * m)),       # beside the sacrum, low on the back
    "upper_arm": lambda m: ("upper_arm", (0, -15, 0)),
    "elbow": lambda m: ("forearm", (0, 0, 0)),
    "wrist": lambda m: ("hand", (0, 0, 0)),
    "hand": lambda m: ("hand", (1.5, -12, 0)),            # the middle of the fingers' palm side
    "knee_outside": lambda m: ("shin", (0, 0, 5.5 * m)),
    "ankle": lambda m: ("foot", (0, 0, 0)),
    "hip_outside": lambda m: ("thigh", (0, -9, 8.3 * m)),
}


def landmark(posed, name):
    """A named point of the posed body in the room: "navel", or a sided one
    such as "elbow_l" or "knee_outside_r"."""
    base, _, side = name.rpartition("_")
    if name in LANDMARKS:
        base, side = name, None
    if base not in LANDMARKS or side not in (None, LEFT, RIGHT):
        raise ValueError("no landmark %s" % name)
    part, local = LANDMARKS[base](lateral(side) if side else 1)
    return posed.point(part + "_" + side if side and part not in BY_NAME else part, local)


class Posed:
    """A posed body: each part's joint point, far end and frame in the room."""

    def __init__(self):
        self.start, self.end, self.frame = {}, {}, {}

    def lift(self, dy):
        for points in (self.start, self.end):
            for name, p in points.items():
                points[name] = (p[0], p[1] + dy, p[2])

    def point(self, name, local):
        """A point given in a part's own frame, from its joint, in the room."""
        return add(self.start[name], apply(self.frame[name], local))

    def ellipsoid(self, name, centre, semi):
        """An ellipsoid given in a part's own frame, in the room: its centre and
        its three semi-axis vectors."""
        frame = self.frame[name]
        return (self.point(name, centre), tuple(scale(column(frame, j), semi[j]) for j in range(3)))


def pose_body(pelvis, joints):
    """Poses the body. pelvis: pitch (forward lean: 90 lies face down, head
    towards +x; -90 lies on the back, head towards -x), roll (towards the
    right side) and turn (to the right). joints: name -> angles, where a name
    without _l or _r holds for both sides and "neck" is shared evenly between
    the neck and the head."""
    root = compose(compose(rot_y(-pelvis.get("turn", 0.0)), rot_z(-pelvis.get("pitch", 0.0))),
                   rot_x(pelvis.get("roll", 0.0)))
    posed = Posed()
    for seg in SEGMENTS:
        if seg.parent is None:
            frame, start = root, (0.0, 0.0, 0.0)
        else:
            angles = _angles_for(seg, joints)
            frame = compose(posed.frame[seg.parent],
                            joint_rotation(JOINT_KINDS[seg.joint], seg.side, angles))
            start = posed.point(seg.parent, seg.at)
        posed.frame[seg.name] = frame
        posed.start[seg.name] = start
        posed.end[seg.name] = add(start, apply(frame, seg.bone))
    return posed


def _angles_for(seg, joints):
    if seg.joint in ("neck", "head"):
        return {k: v / 2.0 for k, v in joints.get("neck", {}).items()}
    both = dict(joints.get(seg.joint, {}))
    both.update(joints.get(seg.joint + "_" + seg.side, {}) if seg.side else {})
    return both


def known_joint_names():
    names = {"lumbar", "thoracic", "neck"}
    for seg in SEGMENTS:
        if seg.side:
            names |= {seg.joint, seg.joint + "_" + seg.side}
    return names


def solids(posed, hands=None, feet=None):
    """Each part's shape in the room: per convex piece, its ellipsoids as
    (centre, the three semi-axis vectors). hands: side -> a HAND_SHAPES name;
    feet: side -> a FOOT_TOES name."""
    shapes = {}
    for seg in SEGMENTS:
        pieces = list(seg.pieces)
        if seg.joint == "wrist":
            pieces += HAND_SHAPES[(hands or {}).get(seg.side, "flat")](lateral(seg.side))
        elif seg.joint == "ankle":
            pieces[1] = FOOT_TOES[(feet or {}).get(seg.side, "flat")](lateral(seg.side))
        shapes[seg.name] = [[posed.ellipsoid(seg.name, centre, semi) for centre, semi in piece]
                            for piece in pieces]
    return shapes


def lowest(ellipsoid):
    """An ellipsoid's lowest point."""
    centre, axes = ellipsoid
    h = math.sqrt(sum(a[1] * a[1] for a in axes))
    return sub(centre, add(add(scale(axes[0], axes[0][1] / h), scale(axes[1], axes[1][1] / h)),
                           scale(axes[2], axes[2][1] / h)))


def surface(ellipsoid, steps=8):
    """Points spread over an ellipsoid's surface."""
    centre, axes = ellipsoid
    points = []
    for i in range(steps + 1):
        lat = math.pi * i / steps - math.pi / 2
        for j in range(2 * steps if 0 < i < steps else 1):
            lon = math.pi * j / steps
            s = (math.cos(lat) * math.cos(lon), math.sin(lat), math.cos(lat) * math.sin(lon))
            points.append(add(centre, add(add(scale(axes[0], s[0]), scale(axes[1], s[1])),
                                          scale(axes[2], s[2]))))
    return points
