#include "asana_catalogue.h"

#include "core/chakra.h"
#include "core/config.h"

#include <array>
#include <cstddef>

namespace pranoth {

// The postures are in the order the yoga selection refers to them by index; entry 11 stays empty.
// Every multi-line text joins its lines with CR LF and has no line break after the last line.
// Each hold is the range its procedure gives.
const AsanaCatalogueList AsanaCatalogue = {{
    // 0
    Asana{
        .name = "Mandukasana",
        .description =
            "Frog is referred to as the 'Manduka' in Sanskrit. As the body resembles the posture "
            "of an erect frog, so this asana has been named as the Mandukasana.",
        .englishName = "Frog Pose",
        .procedure =
            "1. Sit up in Vajrasana. Keep your knees wide apart, your body straight and let the "
            "great toes touch each other.\r\n"
            "2. Move your feet and knees apart from each other and form a table posture.\r\n"
            "3. Rest your forearms on the ground; interlace the fingers and join your palms "
            "lightly, thus forming a triangle.\r\n"
            "4. Further press your forearms onto the ground so as to support your full weight.\r\n"
            "5. Press your pubic bones downward and let them become heavy.\r\n"
            "6. Stretch your spine by pushing your head backward from your shoulder.\r\n"
            "7. Try to press the tailbone more towards your heels and retain this posture for 6-8 "
            "seconds.",
        .benefits =
            "1. Enhances the functioning of all the organs of your body.\r\n"
            "2. This asana ensures increased blood circulation and also improves the lungpower.\r\n"
            "3. It has a curative effect over constipation, diabetes and other digestive "
            "problems.\r\n"
            "4. It tones up the abdominal and the shoulder muscles.",
        .cautions =
            "If in the recent past you have undergone a major surgery, then it is advisable that "
            "you avoid this asana. Moreover, people who are suffering from ulcer, severe back "
            "aches and cardiac troubles must consult their physician before practicing this asana.",
        .hold = {6, 8},
    },
    // 1
    Asana{
        .name = "Bhujangasana",
        .description = "Bhujanga is the Sanskrit word for a cobra. With the legs and hips resting "
                       "on the ground and the chest and head raised, the body looks like a cobra "
                       "lifting its hood, so this asana has been named the Bhujangasana. In the "
                       "half cobra the elbows stay bent and only the upper chest is lifted.",
        .englishName = "Half- Cobra Pose",
        .procedure = "1. Lie on your stomach with your legs straight and together and the tops of "
                     "your feet resting on the floor.\r\n"
                     "2. Place your palms flat on the floor beside your chest, fingers pointing "
                     "forward, and keep your elbows close to your body.\r\n"
                     "3. Rest your forehead on the floor, relax your shoulders and take a few slow "
                     "breaths.\r\n"
                     "4. While inhaling, slowly raise your head and then your chest, using the "
                     "muscles of your back rather than pushing with your arms; keep your elbows "
                     "bent and your navel on the floor.\r\n"
                     "5. Draw your shoulders back and away from your ears, look forward and hold "
                     "the posture for 10-15 seconds, breathing evenly.\r\n"
                     "6. While exhaling, lower your chest and then your forehead back to the "
                     "floor, turn your head to one side and rest.",
        .benefits = "It reduces the accumulated fat in your lower stomach and also ensures "
                    "increased blood circulation throughout your body.",
        .cautions =
            "Pregnant women, people who have had abdominal surgery in the recent past and those "
            "suffering from a hernia or a peptic ulcer should avoid this asana. If you have a back "
            "or neck injury, or pain in the wrists, lift your chest only a little, never force the "
            "backward bend and stop at once if you feel pain; anyone with a serious spinal "
            "condition must consult their physician before practicing it.",
        .hold = {10, 15},
    },
    // 2
    Asana{
        .name = "Mayurasana",
        .description = "Mayura means peacock in Sanskrit. In the finished posture the whole body "
                       "is held level above the ground, balanced on the two hands with the elbows "
                       "pressed into the abdomen, like a peacock walking with its long tail "
                       "feathers stretched out behind it; hence the name Mayurasana.",
        .englishName = "Feathered Peacock Pose",
        .procedure =
            "1. Kneel on the floor with your knees apart and sit back on your heels.\r\n"
            "2. Lean forward and place your palms on the floor between your knees, close together, "
            "with the fingers pointing back towards your feet.\r\n"
            "3. Bend your elbows, bring them together and rest your abdomen on them just beside "
            "the navel.\r\n"
            "4. Stretch your legs out behind you one at a time, keeping them straight and together "
            "with the toes on the floor.\r\n"
            "5. While exhaling, tighten your abdomen and buttocks and slowly shift your weight "
            "forward onto your hands until your head and then your feet lift off the floor and "
            "your body is level; breathe normally and hold for a few seconds only.\r\n"
            "6. Lower your feet to the floor first, then your knees, release your hands and sit "
            "back on your heels to rest.",
        .benefits = "1. Strengthens the wrists, forearms, elbows and shoulders.\r\n"
                    "2. The pressure of the elbows massages the abdominal organs and stimulates "
                    "digestion.\r\n"
                    "3. It helps to relieve constipation and flatulence.\r\n"
                    "4. It tones the muscles of the back, buttocks and legs, which work to keep "
                    "the body level.\r\n"
                    "5. Develops balance, concentration and steadiness of body and mind.",
        .cautions =
            "This is an advanced balance and has to be built up gradually: at first keep your toes "
            "on the floor and lift only a little, and put a folded blanket in front of you in case "
            "you tip forward. It should be practiced on an empty stomach. People suffering from "
            "high blood pressure, heart trouble, a hernia or a peptic ulcer, those who have had "
            "abdominal surgery in the recent past and those with injured wrists, elbows or "
            "shoulders must avoid it, and it is not to be done during pregnancy or menstruation.",
        // "A few seconds only": three to five, an advanced balance that the
        // cautions say is built up gradually, on the wrists and elbows.
        .hold = {3, 5},
    },
    // 3
    Asana{
        .name = "Dhanurasana",
        .description = "Dhanu means bow in Sanskrit. The trunk and the legs curve upward like the "
                       "wooden body of a bow while the arms are held straight and taut like its "
                       "string, so this asana has been named the Dhanurasana.",
        .englishName = "Bow Pose",
        .procedure =
            "1. Lie on your stomach with your chin on the floor, your legs together and your arms "
            "beside your body.\r\n"
            "2. Bend your knees and bring your heels as close to your buttocks as is "
            "comfortable.\r\n"
            "3. Reach back and hold your ankles firmly, one in each hand, keeping your knees about "
            "hip-width apart.\r\n"
            "4. Relax your face and shoulders and breathe out completely.\r\n"
            "5. While inhaling, press your feet back against your hands so that your thighs, chest "
            "and head lift off the floor together.\r\n"
            "6. Keep your arms straight, look forward and let your body rest on your abdomen.\r\n"
            "7. Hold the posture for 10-15 seconds, breathing slowly and evenly without holding "
            "the breath.\r\n"
            "8. While exhaling, lower your thighs, chest and chin gently to the floor, release "
            "your ankles and rest with your head turned to one side.",
        .benefits = "1. Stretches the whole front of the body, including the chest, abdomen, "
                    "thighs and shoulders.\r\n"
                    "2. Strengthens the back muscles and keeps the spine flexible.\r\n"
                    "3. It massages the abdominal organs and improves digestion and appetite.\r\n"
                    "4. Opens the chest, which helps deeper breathing and a more upright posture.",
        .cautions = {},
        .hold = {10, 15},
    },
    // 4
    Asana{
        .name = "Matsyasana",
        .description =
            "Matsya means fish in Sanskrit. Lying on the back with the chest raised and the back "
            "arched, the body takes the shape of a fish, and it is said that in this posture one "
            "can float on water like a fish; hence it has been named the Matsyasana.",
        .englishName = "Fish Pose",
        .procedure =
            "1. Lie on your back with your legs straight and together, or with your legs crossed "
            "in Padmasana if you can sit in it comfortably.\r\n"
            "2. Slide your hands, palms down, under your buttocks and bring your elbows in close "
            "to your sides.\r\n"
            "3. Press your forearms and elbows into the floor and, while inhaling, lift your chest "
            "so that your back arches.\r\n"
            "4. Gently tilt your head back and lower the crown of your head to the floor, keeping "
            "most of your weight on your elbows and not on your head.\r\n"
            "5. Open your chest, relax your throat and keep your legs resting on the floor.\r\n"
            "6. Breathe slowly and deeply and hold the posture for 10-20 seconds.\r\n"
            "7. To come out, press into your elbows, lift your head slightly, lower your back and "
            "then your head to the floor, release your hands and relax.",
        .benefits =
            "1. Stretches the chest, throat and abdomen and helps deep breathing.\r\n"
            "2. Relieves stiffness in the upper back and shoulders and corrects a stooping "
            "posture.\r\n"
            "3. It tones the muscles of the back and the neck.\r\n"
            "4. It makes the hips and knees supple when practiced with the legs in Padmasana.",
        .cautions = "People with a neck or back injury, high or low blood pressure, heart trouble "
                    "or migraine should avoid this asana, and those with glaucoma or other eye "
                    "problems must consult their physician first. Pregnant women should practice "
                    "it only under the guidance of an experienced teacher. Use the crossed-leg "
                    "version only if your knees allow you to sit in Padmasana without strain.",
        .hold = {10, 20},
    },
    // 5
    Asana{
        .name = "Yoga Mudra",
        .description = "The Scaling Pose is referred to as the Yoga Mudra in Sanskrit.",
        .englishName = "Scaling Pose",
        .procedure =
            "1. Yoga Mudra is generally done by sitting in Padmasana; if you cannot sit in such a "
            "posture, then you can also sit in Vajrasana and perform the Scaling Pose.\r\n"
            "2. After positioning yourself, you have to bring both your hands to your back and "
            "grab the wrist of one of your hand with the other.\r\n"
            "3. Fold your grabbed hand to form a fist and let both your hands to relax at your "
            "back; keep your spine straight and look forward in this whole process and breathe "
            "normally.\r\n"
            "4. Then start exhaling very slowly and lower your head so that it touches the ground. "
            "This should be done simultaneously, so that when your head touches the ground your "
            "exhalation also needs to be completed.\r\n"
            "5. On reaching that position hold your breath and slowly tighten your hands and raise "
            "it as high as possible. Remain in this position for 6-8 seconds.\r\n"
            "6. Start inhaling once again while lowering your hands and return back to the normal "
            "position.",
        .benefits = "1. Yoga Mudra is known to work wonders on the asthmatic patients.\r\n"
                    "2. Enhances blood circulation throughout the body and purify the same.\r\n"
                    "3. This Mudra strengthens the digestive system and the spine.\r\n"
                    "4. Cures all kinds of gastric disorders.\r\n"
                    "5. It restores normal functioning of the lungs and the bronchial areas.",
        .cautions = {},
        .hold = {6, 8},
    },
    // 6
    Asana{
        .name = "Ustrasana",
        .description =
            "Ushtra means camel in Sanskrit. In this kneeling backward bend the chest is pushed "
            "forward and up while the hands rest on the heels, and the curve of the body recalls "
            "the hump and the long neck of a camel; hence the name Ustrasana.",
        .englishName = "Camel Pose",
        .procedure = "1. Kneel on the floor with your knees hip-width apart, your thighs upright "
                     "and the tops of your feet flat on the floor, and place your hands on your "
                     "lower back with the fingers pointing down.\r\n"
                     "2. While inhaling, lift your chest, press your hips gently forward and lean "
                     "back slowly, keeping your neck long and your thighs upright.\r\n"
                     "3. Reach back with one hand at a time and rest your palms on your heels "
                     "(tuck your toes under to raise the heels if you cannot reach them), then "
                     "hold for 10-20 seconds, breathing normally.\r\n"
                     "4. To come out, bring your hands back to your lower back one at a time and "
                     "rise slowly to kneeling, lifting your chest first and your head last, then "
                     "sit back on your heels and rest.",
        .benefits = "1. Stretches the whole front of the body, from the thighs and abdomen to the "
                    "chest and throat.\r\n"
                    "2. Strengthens the back muscles and improves the flexibility of the spine and "
                    "the posture.\r\n"
                    "3. Opens the chest and shoulders, which helps deeper breathing, and "
                    "stimulates digestion.",
        .cautions = {},
        .hold = {10, 20},
    },
    // 7
    Asana{
        .name = "Halasana",
        .description =
            "Hala is the Sanskrit word for a plough. Lying on the back with the legs carried over "
            "the head until the toes touch the floor behind it, the body takes the shape of the "
            "plough used by Indian farmers, so this asana has been named the Halasana.",
        .englishName = "Plough Posture",
        .procedure =
            "1. Lie flat on your back with your legs together and your arms beside your body, "
            "palms down.\r\n"
            "2. While exhaling, press your palms into the floor and use your abdominal muscles to "
            "raise your legs and then your hips, supporting your back with your hands.\r\n"
            "3. Slowly carry your straight legs over your head and lower your toes to the floor "
            "behind you only as far as is comfortable, keeping your hands on your back if your "
            "toes do not reach the floor.\r\n"
            "4. Keep your weight on your shoulders and upper arms, never on your neck, do not turn "
            "your head, and hold for 10-30 seconds while breathing slowly.\r\n"
            "5. To come out, support your back with your hands and roll down slowly, one vertebra "
            "at a time, keeping your head on the floor, then lower your legs and rest.",
        .benefits = "1. Stretches the whole back of the body, from the shoulders along the spine "
                    "to the hamstrings and calves.\r\n"
                    "2. It massages the abdominal organs, which helps digestion and relieves "
                    "constipation.\r\n"
                    "3. Calms the nervous system and helps to reduce stress and fatigue.",
        .cautions =
            "Do not practice this asana if you have a neck injury, a slipped disc or other back "
            "problems, high blood pressure, heart trouble, glaucoma or a hernia, or if you have "
            "undergone abdominal surgery in the recent past. It should be avoided during pregnancy "
            "and menstruation, and beginners should learn it under the guidance of an experienced "
            "teacher, with a folded blanket under the shoulders to protect the neck.",
        .hold = {10, 30},
    },
    // 8
    Asana{
        .name = "Sarvangasana",
        .description =
            "Sarva means all and anga means limb or part of the body in Sanskrit. In this inverted "
            "posture the body is raised on the shoulders with the legs stretched straight up, and "
            "as it is believed to benefit the whole body it has been named the Sarvangasana.",
        .englishName = "Shoulder Stand Pose",
        .procedure = "1. Lie flat on your back with your legs together and your arms beside your "
                     "body, palms down; a folded blanket under your shoulders, with your head on "
                     "the floor, takes pressure off the neck.\r\n"
                     "2. While exhaling, press your palms down, raise your legs and hips off the "
                     "floor, then bend your elbows and support your back with your hands, keeping "
                     "the elbows shoulder-width apart.\r\n"
                     "3. Straighten your legs upward and move your hands further up your back "
                     "until your trunk and legs form a vertical line; keep your weight on your "
                     "shoulders and upper arms, never on your neck, do not turn your head, and "
                     "breathe slowly for 20-30 seconds.\r\n"
                     "4. To come down, let your legs move slightly over your head and, supporting "
                     "your back with your hands and keeping your head on the floor, roll your "
                     "spine down slowly, then lower your legs and rest.",
        .benefits =
            "1. Reverses the pull of gravity on the body and eases tired and heavy legs.\r\n"
            "2. Strengthens the shoulders, arms and back and stretches the neck and upper back.\r\n"
            "3. It tones the abdominal muscles and the legs.\r\n"
            "4. It is traditionally held to stimulate the thyroid gland in the throat region.\r\n"
            "5. Helps digestion and relieves constipation.\r\n"
            "6. Calms the mind and helps to relieve stress, fatigue and sleeplessness.",
        .cautions = "Do not practice this asana if you have a neck or back injury, high blood "
                    "pressure, heart trouble, glaucoma or other serious eye problems, an ear "
                    "infection or a hernia, or if you have undergone surgery in the recent past. "
                    "It should be avoided during pregnancy and menstruation and when you have a "
                    "headache, and beginners should learn it under the guidance of an experienced "
                    "teacher, with a folded blanket under the shoulders to protect the neck.",
        .hold = {20, 30},
    },
    // 9
    Asana{
        .name = "Ardhamatsyendrasana",
        .description = "Ardha means half in Sanskrit, and Matsyendra was a great yogi after whom "
                       "the full spinal twist is named. This seated posture, in which the legs are "
                       "crossed and the spine is turned to one side, is the easier half of that "
                       "twist; hence the name Ardhamatsyendrasana.",
        .englishName = "Twist Pose",
        .procedure =
            "1. Sit with your legs stretched out in front of you and your spine straight.\r\n"
            "2. Bend your left leg and place the left heel beside your right hip, then bend your "
            "right knee and place the right foot flat on the floor on the outside of your left "
            "knee.\r\n"
            "3. Place your right hand on the floor behind you, close to your hip, and while "
            "inhaling raise your left arm and lengthen your spine.\r\n"
            "4. While exhaling, turn your body to the right and press your left upper arm against "
            "the outside of your right knee, taking hold of your right ankle if you can reach "
            "it.\r\n"
            "5. Turn your head to look over your right shoulder, keep your spine upright and hold "
            "for 20-30 seconds, lengthening as you inhale and turning a little further as you "
            "exhale, without forcing.\r\n"
            "6. Release the twist slowly, face forward again, straighten your legs and repeat the "
            "posture on the other side.",
        .benefits =
            "1. Keeps the spine supple and relieves stiffness in the back, hips and shoulders.\r\n"
            "2. It massages the abdominal organs and aids digestion.\r\n"
            "3. Stretches the muscles along the spine and improves the posture.\r\n"
            "4. Helps to relieve backache and tiredness caused by long hours of sitting.",
        .cautions = {},
        // Done on the right, then repeated on the other side.
        .hold = {20, 30, true},
    },
    // 10
    Asana{
        .name = "Padmasana",
        .description = "Padma means lotus in Sanskrit. Seated with each foot resting on the "
                       "opposite thigh and the soles turned up, the crossed legs look like the "
                       "petals of an open lotus flower; hence the name Padmasana. It is the "
                       "classic posture for meditation and breathing practice.",
        .englishName = "Lotus Pose",
        .procedure =
            "1. Sit on the floor with your legs stretched out in front of you and your spine "
            "straight.\r\n"
            "2. Bend your right knee and, holding the foot with your hands, place it on top of "
            "your left thigh close to the hip with the sole turned up, letting the movement come "
            "from the hip rather than twisting the knee.\r\n"
            "3. Bend your left knee and place the left foot in the same way on top of your right "
            "thigh, so that both heels are near the abdomen.\r\n"
            "4. Let your knees rest on the floor, sit upright with your head, neck and spine in a "
            "line and rest your hands on your knees, palms up.\r\n"
            "5. Close your eyes, relax your body and breathe slowly and evenly for as long as you "
            "are comfortable.\r\n"
            "6. To come out, release one leg at a time carefully with your hands, stretch your "
            "legs out and shake them gently; next time cross the legs the other way round.",
        .benefits = "Padmasana balances our body, mind and the soul. Apart form this it also helps "
                    "us to relax, concentrate and meditate.",
        .cautions = "Never force your legs into this asana. People with knee or ankle injuries "
                    "should avoid it, and if your hips or knees are stiff, sit in the half lotus "
                    "or a simple cross-legged posture until they become more flexible. Those "
                    "suffering from sciatica or severe back pain and pregnant women should "
                    "practice it only under the guidance of an experienced teacher.",
        // "As long as you are comfortable": half a minute to a minute, which
        // a beginner's knees and hips bear without strain.
        .hold = {30, 60},
    },
    // 11: never referred to
    Asana{},
}};

const AsanaCatalogueList &fillAsanaCatalogue()
{
    return AsanaCatalogue;
}

std::string_view asanaPictureFile(int picturePosition)
{
    static_assert(config::Pictures.size() == AsanaCount, "one picture for every asana");
    if (picturePosition < 1 || picturePosition > AsanaCount)
        return {};
    return config::Pictures[asIndex(picturePosition - 1)];
}

} // namespace pranoth
