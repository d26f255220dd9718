"""From a pose to a picture: the posed body set down on the floor, seen by a
camera chosen for the pose, and written as the SVG source that
scripts/render-art renders.

The camera looks straight across the room or a little down onto it. Level,
the floor is one line, the top of the mat; from a little above, the mat shows
as a band and each part rests at the height of its own depth."""

import math
import os
import tomllib

from . import body as B

SIZE = 250                      # the picture's side, in SVG units (its 1x pixels)
MAT_Y = 200                     # the top of the mat, seen level: the floor line
MAT_FRONT = 213                 # seen from above, the mat's near edge
MAT_X = (16, 234)               # the mat's ends
MAT_REACH = 30                  # cm the mat reaches at least in front of and behind the figure's middle
MAT_MARGIN = 6                  # cm of mat at least beyond whatever rests on it
FLOOR_BACK = 35                 # cm of floor behind the mat, up to the wall
WALL, HALO, FLOOR = "#f8f3ea", "#f1e6d4", "#efe6d7"
MAT, MAT_EDGE = "#8fb39c", "#7aa28a"
# The limbs of the side nearer the viewer, the trunk and head between them, and
# the limbs of the far side: near parts read as in front of what they cross.
NEAR_TONE, TRUNK_TONE, FAR_TONE = "#c8643b", "#b35a35", "#9a4528"
SKIN_LIGHT = "#eab38d"          # soles and palms
# A part the pose names in `light` (the hands a picture is about): a lighter
# skin with a dark line round it, so that it reads against the parts it crosses.
LIGHT_TONE, LIGHT_LINE = "#e3a07a", "#7a3620"
HAIR = "#6b3524"
BLANKET, BLANKET_FOLD = "#a9b7c6", "#93a3b5"
CHAIR, CHAIR_SHADE = "#9aa6b2", "#7f8c99"
GHOST, GHOST_LINE = "#f3e1cf", "#d9a582"   # the other phase of a movement, faint behind the figure
GAP = 1.6                       # the wall-coloured gap where a part crosses one behind it
FRAME = (22, 18, 228)           # the figure's room: left, top, right
MAX_SCALE = 2.1                 # pixels per centimetre at the most

# The lighter skin of the sole and the palm (centre, semi-axes and outward
# normal in the part's frame, and how far the normal must turn to the viewer
# for it to show): the sole is a layer under the foot, so a foot seen from the
# side shows its sole as a band along its edge.
SOLE = ((5.0, -6.1, 0), (10.8, 1.2, 3.4), (0, -1, 0), -0.6)
SOLE_TUCKED = ((4.0, -6.1, 0), (9.6, 1.2, 3.4), (0, -1, 0), -0.6)
PALM = ((1.75, -5.6, 0), (0.05, 4.2, 2.8), (1, 0, 0), 0.25)
# The head, in its own frame: the hair covers the cap within HAIR_ANGLE
# degrees of HAIR_AXIS; eyes, ear and nose sit on it.
HEAD = B.BY_NAME["head"].pieces[0][0]
HAIR_AXIS, HAIR_ANGLE = B.unit((-0.5, 1.0, 0)), 72
EYES = [B.unit((0.93, 0.16, 0.36)), B.unit((0.93, 0.16, -0.36))]
EAR = B.unit((-0.05, -0.02, 1.0))
NOSE = ((11.4, 7.2, 0), (1.9, 2.4, 1.5))
# A chin, for a head seen small in profile (face = "profile"): the jaw's
# front, standing out below the face, so which way the face points reads;
# such a face has its eye drawn larger and no ear, which at that size reads
# as a second eye.
CHIN = ((8.2, 1.8, 0), (3.4, 2.8, 4.6))
# How far round each joint, in cm, two neighbouring parts meet without a gap.
JOINT_BLEND = {"neck": 9, "head": 9, "shoulder": 10, "elbow": 6, "wrist": 4.5, "hip": 12,
               "knee": 8, "ankle": 3.5}


def load_pose(path):
    """A posture file (TOML): title; near ("left" or "right", the side turned to
    the viewer); contacts (the parts resting on the floor or the blanket);
    camera (yaw, pitch); pelvis (pitch, roll, turn: how the body lies in the
    room); joints (angles per joint, see body.JOINT_KINDS; "hip" holds for both
    sides, "hip_l" for one); and, where needed, trained (wider ranges the
    posture uses), hands (l, r: "flat" or "fist"), feet (l, r: "flat" or
    "tucked"), eyes ("closed"), face ("profile": with a chin), on_top (parts
    painted last, in order), blanket or chair (from, to, width, height in
    cm), light (parts painted in a lighter
    skin with a line round them), ghost (pelvis and joints of the
    movement's other phase, drawn faint behind the figure) and what the checks
    read: flat (parts lying along the floor), clear (parts held off it, such as
    the head), turn (the side a twist turns to),
    touch (pairs of body.LANDMARKS that meet) and rests_on (pairs of parts, the
    first resting on the second: the hips on the heels).

    A posture file holding mirror = "NAME" is NAME's posture with its sides
    exchanged, and whatever else the file sets."""
    with open(path, "rb") as f:
        pose = tomllib.load(f)
    if "mirror" in pose:
        base = load_pose(os.path.join(os.path.dirname(path), pose.pop("mirror") + ".toml"))
        pose = dict(mirrored(base), **pose)
    unknown = set(pose.get("joints", {})) - B.known_joint_names()
    if unknown:
        raise ValueError("%s: unknown joints %s" % (path, ", ".join(sorted(unknown))))
    return pose


def _other_side(text):
    for a, b in (("_l", "_r"), ("left", "right")):
        if text.endswith(a):
            return text[:-len(a)] + b
        if text.endswith(b):
            return text[:-len(b)] + a
    return {"l": "r", "r": "l"}.get(text, text)


def mirrored(pose):
    """A posture with its left and right exchanged: the same body seen in a
    mirror standing along the room's x."""
    def flip(value, key=""):
        if isinstance(value, dict):
            out = {_other_side(k): flip(v, k) for k, v in value.items()}
            if key in ("lumbar", "thoracic", "neck", "pelvis"):
                out.update({k: -v for k, v in out.items() if k in ("side", "rot", "roll", "turn")})
            return out
        if isinstance(value, list):
            return [flip(v) for v in value]
        return _other_side(value) if isinstance(value, str) and key != "title" else value
    out = flip(pose)
    if "camera" in pose:
        out["camera"] = dict(pose["camera"], yaw=180 - pose["camera"].get("yaw", 0.0))
    return out


class Camera:
    """A camera at yaw degrees round the figure (0 looks at the room's +z
    face, so a figure facing +x shows its right side; 90 looks at its front)
    and pitch degrees above the level."""

    def __init__(self, yaw=0.0, pitch=0.0):
        y, p = math.radians(yaw), math.radians(pitch)
        self.toward = (math.cos(p) * math.sin(y), math.sin(p), math.cos(p) * math.cos(y))
        self.level = (math.sin(y), 0.0, math.cos(y))    # towards the viewer, along the floor
        self.right = (math.cos(y), 0.0, -math.sin(y))
        self.up = B.cross(self.toward, self.right)
        self.rise = math.sin(p)

    def project(self, p):
        return (B.dot(self.right, p), B.dot(self.up, p))

    def outline(self, ellipsoid, steps=36):
        """Points round an ellipsoid's outline, as (across, up)."""
        centre, axes = ellipsoid
        rows = [[B.dot(self.right, a) for a in axes], [B.dot(self.up, a) for a in axes]]
        cx, cy = self.project(centre)
        points = []
        for i in range(steps):
            t = 2 * math.pi * i / steps
            v = [rows[0][j] * math.cos(t) + rows[1][j] * math.sin(t) for j in range(3)]
            h = math.sqrt(sum(c * c for c in v)) or 1e-9
            points.append((cx + sum(rows[0][j] * v[j] for j in range(3)) / h,
                           cy + sum(rows[1][j] * v[j] for j in range(3)) / h))
        return points


def hull(points):
    """The convex hull of points, as a polygon."""
    pts = sorted(set(points))
    if len(pts) < 3:
        return pts

    def turn(o, a, b):
        return (a[0] - o[0]) * (b[1] - o[1]) - (a[1] - o[1]) * (b[0] - o[0])

    lower, upper = [], []
    for p in pts:
        while len(lower) >= 2 and turn(lower[-2], lower[-1], p) <= 0:
            lower.pop()
        lower.append(p)
    for p in reversed(pts):
        while len(upper) >= 2 and turn(upper[-2], upper[-1], p) <= 0:
            upper.pop()
        upper.append(p)
    return lower[:-1] + upper[:-1]


class Part:
    """One painted part: its convex outlines in picture units, its depth, its
    tone, the discs round its joints and the details painted on it."""

    def __init__(self, name, tone):
        self.name, self.tone = name, tone
        self.pieces, self.depths, self.details, self.joints = [], [], [], []

    @property
    def depth(self):
        return sum(self.depths) / len(self.depths)


class Scene:
    """A posed figure set down in the room and framed: what the picture paints
    and what the checks read."""

    def __init__(self, name, pose):
        self.name, self.pose = name, pose
        self.title = pose.get("title", name)
        self.near = {"left": B.LEFT, "right": B.RIGHT}[pose["near"]]
        self.contacts = pose.get("contacts", [])
        camera = pose.get("camera", {})
        self.camera = Camera(camera.get("yaw", 0.0), camera.get("pitch", 0.0))
        self.hands, self.feet = pose.get("hands", {}), pose.get("feet", {})
        self.posed = B.pose_body(pose.get("pelvis", {}), pose.get("joints", {}))
        self.blanket = self._prop("blanket")
        self.chair = self._prop("chair")
        self._set_down()
        self.solids = B.solids(self.posed, self.hands, self.feet)
        self.ghost = self._ghost()
        self._frame()

    def _prop(self, kind):
        """A folded blanket or a chair's seat: from and to along the room's x,
        measured from the base of the neck, its width across the figure and
        the height of its top."""
        folded = self.pose.get(kind)
        if not folded:
            return None
        base = self.posed.start["neck"]
        return (base[0] + folded["from"], base[0] + folded["to"],
                base[2] - folded["width"] / 2, base[2] + folded["width"] / 2, float(folded["height"]))

    def support(self, x, z):
        """The height of what is under the room's point (x, z)."""
        for b in (self.blanket, self.chair):
            if b and b[0] <= x <= b[1] and b[2] <= z <= b[3]:
                return b[4]
        return 0.0

    def _set_down(self):
        """Lowers or lifts the figure until it rests: nothing below what is under it."""
        points = [p for pieces in B.solids(self.posed, self.hands, self.feet).values()
                  for piece in pieces for e in piece for p in B.surface(e) + [B.lowest(e)]]
        self.lift = max(self.support(p[0], p[2]) - p[1] for p in points)
        self.posed.lift(self.lift)

    def _ghost(self):
        """The movement's other phase: the body posed again and set down as
        the figure is."""
        other = self.pose.get("ghost")
        if not other:
            return None
        joints = dict(self.pose.get("joints", {}), **other.get("joints", {}))
        posed = B.pose_body(dict(self.pose.get("pelvis", {}), **other.get("pelvis", {})), joints)
        posed.lift(self.lift)
        return posed

    def _frame(self):
        """Scales the figure to the picture and sets it on the mat."""
        outlines = [self.camera.outline(e) for pieces in self.solids.values()
                    for piece in pieces for e in piece]
        if self.chair:
            outlines.append([self.camera.project(p) for p in _chair_corners(self.chair)])
        xs = [x for o in outlines for x, _ in o]
        ys = [y for o in outlines for _, y in o]
        lowest = [B.lowest(e) for pieces in self.solids.values() for piece in pieces for e in piece]
        depths = [B.dot(self.camera.level, p) for p in lowest]
        self.middle_depth = (max(depths) + min(depths)) / 2
        resting = [B.dot(self.camera.level, p) for p in lowest if p[1] < 3]
        self.mat_reach = max([MAT_REACH] + [abs(d - self.middle_depth) + MAT_MARGIN
                                            for d in resting])
        floor = -self.middle_depth * self.camera.rise   # the floor's height there, seen
        # Level, the mat is the floor line; from above, a band whose near edge
        # stays near the picture's foot, with the figure on it.
        band = self.camera.rise * self.mat_reach
        room = (MAT_FRONT if band else MAT_Y) - FRAME[1]
        self.scale = min((FRAME[2] - FRAME[0]) / (max(xs) - min(xs)),
                         room / (max(ys) - floor + band), MAX_SCALE)
        self.mat_y = min(MAT_Y, MAT_FRONT - self.scale * band) if band else MAT_Y
        self.offset = ((max(xs) + min(xs)) / 2, floor)

    def mat(self):
        """The mat as painted: left, top, right and bottom in the picture."""
        reach = self.scale * self.camera.rise * self.mat_reach
        return (MAT_X[0], self.mat_y - reach, MAT_X[1], self.mat_y + reach + 7)

    def to_picture(self, p):
        """(across, up) as seen, in cm, to the picture's (x, y)."""
        return (SIZE / 2 + self.scale * (p[0] - self.offset[0]),
                self.mat_y - self.scale * (p[1] - self.offset[1]))


def build_scene(name, pose):
    scene = Scene(name, pose)
    cam = scene.camera

    def tone(seg):
        if not seg.side:
            return TRUNK_TONE
        return NEAR_TONE if seg.side == scene.near else FAR_TONE

    torso = Part("torso", TRUNK_TONE)
    parts = {"torso": torso}
    scene.outlines = {}
    for seg in B.SEGMENTS:
        part = torso if seg.name in B.TORSO else Part(seg.name, tone(seg))
        parts[part.name] = part
        pieces = [[scene.to_picture(p) for p in hull([q for e in piece for q in cam.outline(e)])]
                  for piece in scene.solids[seg.name]]
        scene.outlines[seg.name] = pieces
        part.pieces += pieces
        part.depths += [B.dot(cam.toward, e[0]) for piece in scene.solids[seg.name]
                        for e in piece]
    _add_joints(scene, parts)
    _add_details(scene, parts)
    scene.parts = _paint_order(scene, list(parts.values()))
    return scene


def _part_of(seg_name):
    return "torso" if seg_name in B.TORSO else seg_name


def _add_joints(scene, parts):
    """Where two parts meet, no gap is painted: a disc at each joint."""
    for seg in B.SEGMENTS:
        if seg.parent is None or _part_of(seg.parent) == _part_of(seg.name):
            continue
        centre = scene.to_picture(scene.camera.project(scene.posed.start[seg.name]))
        disc = (centre, JOINT_BLEND[seg.joint] * scene.scale)
        parts[seg.name].joints.append((disc, _part_of(seg.parent)))
        parts[_part_of(seg.parent)].joints.append((disc, seg.name))


def _flat_patch(scene, seg_name, patch):
    centre, semi, normal, facing = patch
    frame = scene.posed.frame[seg_name]
    if B.dot(B.apply(frame, normal), scene.camera.toward) < facing:
        return None
    outline = scene.camera.outline(scene.posed.ellipsoid(seg_name, centre, semi))
    return ("shape", [scene.to_picture(p) for p in outline], SKIN_LIGHT)


def _add_details(scene, parts):
    for seg in B.SEGMENTS:
        patch = None
        if seg.joint == "ankle":
            patch = _flat_patch(scene, seg.name, SOLE_TUCKED
                                if scene.feet.get(seg.side) == "tucked" else SOLE)
        elif seg.joint == "wrist" and scene.hands.get(seg.side, "flat") == "flat":
            patch = _flat_patch(scene, seg.name, PALM)
        if patch:
            parts[seg.name].details.append(patch)
    parts["head"].details += _face(scene)


def _face(scene):
    """Hair, ear, nose and eyes, where the head turns them to the viewer."""
    frame = scene.posed.frame["head"]
    centre, axes = scene.posed.ellipsoid("head", *HEAD)

    def on_head(s):  # a point of the unit sphere, carried onto the head, in the picture
        p = B.add(centre, B.add(B.add(B.scale(axes[0], s[0]), B.scale(axes[1], s[1])),
                                B.scale(axes[2], s[2])))
        return scene.to_picture(scene.camera.project(p))

    # The head's points that face the viewer are those with s . m > 0.
    m = B.unit(B.apply(_inverse(axes), scene.camera.toward))
    details = []
    profile = scene.pose.get("face") == "profile"
    if profile:
        chin = scene.posed.ellipsoid("head", *CHIN)
        details.append(("shape", [scene.to_picture(p) for p in scene.camera.outline(chin)],
                        TRUNK_TONE))
    hair = _cap_outline(HAIR_AXIS, HAIR_ANGLE, m)
    if hair:
        details.append(("shape", [on_head(s) for s in hair], HAIR))
    for side in (B.LEFT, B.RIGHT):
        ear = B.scale(EAR, B.lateral(side))
        if B.dot(ear, m) > 0.3 and not profile:
            details.append(("shape", [on_head(s) for s in _cap_outline(ear, 14, m)], NEAR_TONE))
    if B.dot(B.column(frame, 0), scene.camera.toward) > -0.3:
        nose = scene.posed.ellipsoid("head", *NOSE)
        details.append(("shape", [scene.to_picture(p) for p in scene.camera.outline(nose)],
                        TRUNK_TONE))
    closed = scene.pose.get("eyes") == "closed"
    for eye in EYES:
        if B.dot(eye, m) > 0.2:
            details.append(("eye", on_head(eye), closed, 1.5 if profile else 1.0))
    return details


def _inverse(axes):
    """The inverse of the matrix whose columns are axes."""
    a, b, c = axes
    det = B.dot(a, B.cross(b, c))
    return tuple(tuple(v / det for v in row) for row in (B.cross(b, c), B.cross(c, a),
                                                          B.cross(a, b)))


def _circle(axis, angle, count):
    """count points round the circle of the unit sphere angle degrees from axis."""
    e1 = B.unit(B.cross(axis, (0.31, 0.52, 0.79)))
    e2 = B.cross(axis, e1)
    ca, sa = math.cos(math.radians(angle)), math.sin(math.radians(angle))
    return [B.add(B.scale(axis, ca), B.add(B.scale(e1, sa * math.cos(2 * math.pi * i / count)),
                                          B.scale(e2, sa * math.sin(2 * math.pi * i / count))))
            for i in range(count)]


def _run(flags):
    """The indices of the one unbroken run of True in a ring of flags."""
    n = len(flags)
    start = next((i for i in range(n) if flags[i] and not flags[i - 1]), 0)
    run, i = [], start
    while flags[i % n] and len(run) < n:
        run.append(i % n)
        i += 1
    return run


def _cap_outline(axis, angle, m):
    """The outline, on the unit sphere, of the part of the cap round axis
    (within angle degrees) that is on the viewer's side (s . m >= 0)."""
    rim = _circle(axis, angle, 72)
    seen = [B.dot(s, m) >= 0 for s in rim]
    if all(seen):
        return rim
    if not any(seen):
        return []
    arc = [rim[i] for i in _run(seen)]
    # Back from the arc's end to its start along the edge the viewer sees.
    edge = _circle(m, 90, 120)
    inside = _run([B.dot(s, axis) >= math.cos(math.radians(angle)) for s in edge])
    back = [edge[i] for i in inside]
    if back and B.dot(back[0], arc[-1]) < B.dot(back[-1], arc[-1]):
        back.reverse()
    return arc + back


def _paint_order(scene, parts):
    """Far parts first; the parts the pose names in on_top last, in its order."""
    on_top = scene.pose.get("on_top", [])
    ordered = sorted((p for p in parts if p.name not in on_top), key=lambda p: p.depth)
    return ordered + [p for name in on_top for p in parts if p.name == name]


# --- SVG ----------------------------------------------------------------------


def _fmt(v):
    text = "%.1f" % v
    return "0" if text == "-0.0" else text[:-2] if text.endswith(".0") else text


def _path(polygons):
    return "".join("M" + " ".join("%s %s" % (_fmt(x), _fmt(y)) for x, y in poly) + "Z"
                   for poly in polygons if len(poly) >= 3)


def _room(scene):
    """The wall, the soft halo, the floor and the mat: level, as one line."""
    reach = scene.scale * scene.camera.rise
    floor_top = scene.mat_y - reach * (scene.mat_reach + FLOOR_BACK)
    _, mat_top, _, mat_bottom = scene.mat()
    return [
        '<rect width="250" height="250" fill="%s"/>' % WALL,
        '<circle cx="125" cy="122" r="96" fill="%s"/>' % HALO,
        '<rect y="%s" width="250" height="%s" fill="%s"/>'
        % (_fmt(floor_top), _fmt(SIZE - floor_top), FLOOR),
        '<rect x="%d" y="%s" width="%d" height="%s" rx="3.5" fill="%s"/>'
        % (MAT_X[0], _fmt(mat_top), MAT_X[1] - MAT_X[0], _fmt(mat_bottom - mat_top), MAT),
        '<rect x="%d" y="%s" width="%d" height="2" rx="1" fill="%s"/>'
        % (MAT_X[0], _fmt(mat_bottom - 2), MAT_X[1] - MAT_X[0], MAT_EDGE),
    ]


def _blanket_svg(scene):
    x0, x1, z0, z1, h = scene.blanket
    corners = [scene.to_picture(scene.camera.project((x, y, z)))
               for x in (x0, x1) for y in (0, h) for z in (z0, z1)]
    front = [scene.to_picture(scene.camera.project(p)) for p in
             ((x0, 0, z1), (x1, 0, z1))]
    top = min(y for _, y in corners)
    left, right = min(x for x, _ in front), max(x for x, _ in front)
    bottom = max(y for _, y in front)
    folds = " ".join("M%s %sH%s" % (_fmt(left + 4), _fmt(bottom - (bottom - top) * f / 3),
                                    _fmt(right - 4)) for f in (1, 2))
    return ('<path d="%s" fill="%s"/><path d="%s" stroke="%s" stroke-width="1.2" '
            'stroke-linecap="round"/>' % (_path([hull(corners)]), BLANKET, folds, BLANKET_FOLD))


CHAIR_SEAT, CHAIR_LEG, CHAIR_BACK = 3.0, 2.5, 38.0   # cm: the seat's thickness, a leg's, the back's height


def _chair_boxes(chair):
    """The chair as boxes (x0, x1, y0, y1, z0, z1): four legs, the seat and
    the back, which stands at the seat's end away from the figure."""
    x0, x1, z0, z1, h = chair
    legs = [(x, x + CHAIR_LEG, 0, h - CHAIR_SEAT, z, z + CHAIR_LEG)
            for x in (x0, x1 - CHAIR_LEG) for z in (z0, z1 - CHAIR_LEG)]
    far = x1 - CHAIR_LEG if abs(x1) > abs(x0) else x0
    return legs + [(x0, x1, h - CHAIR_SEAT, h, z0, z1),
                   (far, far + CHAIR_LEG, h, h + CHAIR_BACK, z0, z1)]


def _chair_corners(chair):
    return [(b[i], b[j], b[k]) for b in _chair_boxes(chair)
            for i in (0, 1) for j in (2, 3) for k in (4, 5)]


def _chair_svg(scene):
    """The chair, its far parts first: legs, seat and back as solid boxes."""
    boxes = sorted(_chair_boxes(scene.chair),
                   key=lambda b: B.dot(scene.camera.toward, ((b[0] + b[1]) / 2, (b[2] + b[3]) / 2,
                                                              (b[4] + b[5]) / 2)))
    paths = []
    for i, b in enumerate(boxes):
        corners = [scene.to_picture(scene.camera.project((b[0 + p], b[2 + q], b[4 + r])))
                   for p in (0, 1) for q in (0, 1) for r in (0, 1)]
        tone = CHAIR if b[3] - b[2] == CHAIR_SEAT or b[1] - b[0] == CHAIR_LEG else CHAIR_SHADE
        paths.append('<path d="%s" fill="%s" stroke="%s" stroke-width="0.8"/>'
                     % (_path([hull(corners)]), tone, WALL))
    return "".join(paths)


def _ghost_svg(scene):
    """The other phase's trunk, neck and head: pale, with a line round it."""
    shapes = B.solids(scene.ghost)
    polygons = [[scene.to_picture(p) for p in hull([q for e in piece
                                                     for q in scene.camera.outline(e)])]
                for name in B.TORSO + ("neck", "head") for piece in shapes[name]]
    d = _path(polygons)
    return ('<path d="%s" fill="none" stroke="%s" stroke-width="2.4" stroke-dasharray="4 3"/>'
            '<path d="%s" fill="%s"/>' % (d, GHOST_LINE, d, GHOST))


def _detail(detail, scene):
    if detail[0] == "shape":
        return '<path d="%s" fill="%s"/>' % (_path([detail[1]]), detail[2])
    (x, y), closed, size = detail[1], detail[2], detail[3]
    r = max(0.9, 0.75 * scene.scale) * size
    if closed:
        return ('<path d="M%s %sq%s %s %s 0" fill="none" stroke="%s" stroke-width="%s" '
                'stroke-linecap="round"/>' % (_fmt(x - r * 1.3), _fmt(y), _fmt(r * 1.3),
                                              _fmt(r), _fmt(r * 2.6), HAIR, _fmt(r * 0.8)))
    return '<circle cx="%s" cy="%s" r="%s" fill="%s"/>' % (_fmt(x), _fmt(y), _fmt(r), HAIR)


def svg(scene):
    ids = [part.name.replace("_", "-") for part in scene.parts]
    defs, body = [], []
    for i, part in enumerate(scene.parts):
        defs.append('<path id="%s" d="%s"/>' % (ids[i], _path(part.pieces)))
        if i > 0:
            # Everything painted before this part: a group built on the last one's.
            earlier = '<use xlink:href="#before-%s"/>' % ids[i - 1] if i > 1 else ""
            defs.append('<g id="before-%s">%s<use xlink:href="#%s"/></g>'
                        % (ids[i], earlier, ids[i - 1]))
            painted = {p.name for p in scene.parts[:i]}
            holes = "".join('<circle cx="%s" cy="%s" r="%s"/>' % (_fmt(c[0]), _fmt(c[1]), _fmt(r))
                            for (c, r), other in part.joints if other in painted)
            defs.append('<mask id="gap-%s" maskUnits="userSpaceOnUse" x="0" y="0" width="250" '
                        'height="250"><g fill="#fff"><use xlink:href="#before-%s"/></g>%s</mask>'
                        % (ids[i], ids[i], '<g fill="#000">%s</g>' % holes if holes else ""))
            body.append('<use xlink:href="#%s" fill="%s" stroke="%s" stroke-width="%s" '
                        'mask="url(#gap-%s)"/>' % (ids[i], WALL, WALL, _fmt(2 * GAP), ids[i]))
        if part.name in scene.pose.get("light", []):
            body.append('<use xlink:href="#%s" fill="%s" stroke="%s" stroke-width="2.2" paint-order="stroke"/>'
                        % (ids[i], LIGHT_TONE, LIGHT_LINE))
        else:
            body.append('<use xlink:href="#%s" fill="%s"/>' % (ids[i], part.tone))
        body += [_detail(detail, scene) for detail in part.details]
    lines = ['<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" '
             'width="250" height="250" viewBox="0 0 250 250">',
             "  <title>%s</title>" % scene.title,
             "  <!-- made by scripts/draw-poses from ../poses/%s.toml: edit that, not this -->"
             % scene.name,
             "  <defs>"] + ["    " + d for d in defs] + ["  </defs>"]
    lines += ["  " + r for r in _room(scene)]
    if scene.blanket:
        lines.append("  " + _blanket_svg(scene))
    if scene.chair:
        lines.append("  " + _chair_svg(scene))
    if scene.ghost:
        lines.append("  " + _ghost_svg(scene))
    lines.append('  <g stroke-linejoin="round">')
    lines += ["    " + b for b in body]
    lines += ["  </g>", "</svg>", ""]
    return "\n".join(lines)
