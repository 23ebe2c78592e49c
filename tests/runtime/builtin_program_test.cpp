// The guessing game played through with scripted answers: every screen row,
// and everything heard in order.
#include "runtime/builtin_program.h"
#include "runtime_fixture.h"

#include <vector>

namespace {
const QString kIntro3 = QStringLiteral(
    "myslím si číslo od jedné do sta. tvým úkolem je uhodnout toto číslo, napsat je a "
    "stisknout klávesu nový řádek.");
const QString kIntro4 = QStringLiteral(
    "po vložení čísla ti řeknu buď přidej, což znamená, že musíš číslo zvětšit, nebo uber, "
    "což znamená, že musíš číslo zmenšit.");
const QStringList kHeardIntro = {"say hádání čísel.", "say vytvořil kvirotal v roce 1991.",
                                 "say " + kIntro3, "say " + kIntro4};

QStringList RoundStart() { return {"say napiš číslo, které si myslím"}; }
// One guess that misses: the blank line, the dialog, the hint.
QStringList Miss(const char* hint) { return {"say  ", "INPUT", QStringLiteral("say ") + hint}; }
QStringList Hit(int tries, bool praised)
{
    QStringList heard = {"say  ",
                         "INPUT",
                         "say uhodl jsi!",
                         "say potřeboval jsi ",
                         QStringLiteral("say %1").arg(tries),
                         "say pokusů na uhodnutí myšleného čísla."};
    if (praised)
        heard << "say gratuluji!!!";
    return heard << "say chceš hrát ještě jednou?"
                 << "say 0 =ano, 1 =ne"
                 << "say  "
                 << "INPUT";
}
const QStringList kEnd = {"say konec programu."};

class GameTest : public RuntimeFixture {
protected:
    // Secret numbers for the rounds, in order (each from 1 to 100).
    void Secrets(std::vector<int> secrets)
    {
        m_draws = std::move(secrets);
        SetRandomDrawForTesting([this] {
            if (m_draws.empty())
                throw std::runtime_error("no more secret numbers");
            const double r = (m_draws.front() - 1 + 0.5) / 100.0;
            m_draws.erase(m_draws.begin());
            return r;
        });
    }
    void Answers(std::vector<Answer> list) { answers.assign(list.begin(), list.end()); }
    void Play()
    {
        BuiltInProgram();
        EXPECT_TRUE(answers.empty()) << "the game asked fewer times than expected";
    }

private:
    std::vector<int> m_draws;
};

TEST_F(GameTest, Secret42GuessedWith50Then30Then42)
{
    Secrets({42});
    Answers({Typed(u"50"), Typed(u"30"), Typed(u"42"), Typed(u"1")});
    Play();
    EXPECT_EQ(Screen().rows(),
              ExpectedScreen({"hádání čísel.", "vytvořil kvirotal v roce 1991.", kIntro3.left(80),
                              kIntro3.mid(80), kIntro4.left(80), kIntro4.mid(80),
                              "napiš číslo, které si myslím", " ", "uber", " ", "přidej", " ",
                              "uhodl jsi!", "potřeboval jsi 3pokusů na uhodnutí myšleného čísla.",
                              "gratuluji!!!", "chceš hrát ještě jednou?", "0 =ano, 1 =ne", " ",
                              "konec programu."}));
    EXPECT_EQ(Heard(), kHeardIntro + RoundStart() + Miss("uber") + Miss("přidej") + Hit(3, true) +
                           kEnd);
    EXPECT_EQ(Runtime().scrcursor.GetColumn(), 0);
    EXPECT_EQ(Runtime().scrcursor.GetRow(), 19);
}

struct TriesCase {
    const char* name;
    int misses;
    bool praised;
};

class GameTriesTest : public GameTest, public ::testing::WithParamInterface<TriesCase> {};

TEST_P(GameTriesTest, PraiseUpToTenTries)
{
    const TriesCase& c = GetParam();
    Secrets({77});
    std::vector<Answer> list(static_cast<std::size_t>(c.misses), Typed(u"76"));
    list.push_back(Typed(u"77"));
    list.push_back(Typed(u"1"));
    Answers(list);
    Play();
    QStringList expected = kHeardIntro + RoundStart();
    for (int i = 0; i < c.misses; ++i)
        expected += Miss("přidej");
    EXPECT_EQ(Heard(), expected + Hit(c.misses + 1, c.praised) + kEnd);
}

INSTANTIATE_TEST_SUITE_P(Cases, GameTriesTest,
                         ::testing::Values(TriesCase{"FirstTry", 0, true},
                                           TriesCase{"TenTries", 9, true},
                                           TriesCase{"ElevenTries", 10, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// What the answer to "play again?" does.
struct ReplayCase {
    const char* name;
    Answer answer;
    bool playsAgain;
};

class GameReplayTest : public GameTest, public ::testing::WithParamInterface<ReplayCase> {};

TEST_P(GameReplayTest, OnlyZeroPlaysAgain)
{
    const ReplayCase& c = GetParam();
    Secrets({10, 100});
    if (c.playsAgain) {
        Answers({Typed(u"10"), c.answer, Typed(u"100"), Typed(u"1")});
        Play();
        EXPECT_EQ(Heard(), kHeardIntro + RoundStart() + Hit(1, true) + RoundStart() +
                               Hit(1, true) + kEnd)
            << "a new round with a new secret number and the tries counted afresh";
    } else {
        Answers({Typed(u"10"), c.answer});
        Play();
        EXPECT_EQ(Heard(), kHeardIntro + RoundStart() + Hit(1, true) + kEnd);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, GameReplayTest,
                         ::testing::Values(ReplayCase{"Zero", Typed(u"0"), true},
                                           ReplayCase{"EmptyLine", Typed(u""), true},
                                           ReplayCase{"ClosedDialog", Closed(), true},
                                           ReplayCase{"One", Typed(u"1"), false},
                                           ReplayCase{"Two", Typed(u"2"), false},
                                           ReplayCase{"MinusOne", Typed(u"-1"), false},
                                           ReplayCase{"TinyNumber", Typed(u"1E-300"), false}),
                         [](const auto& info) { return std::string(info.param.name); });

// Guesses that are not plain numbers.
TEST_F(GameTest, EmptyAndClosedGuessesCountAsTries)
{
    Secrets({5});
    Answers({Typed(u""), Closed(), Typed(u"9"), Closed(), Typed(u"xy"), Typed(u"5"),
             Typed(u"1")});
    Play();
    const QStringList retypedHit =
        QStringList{"say  ", "INPUT", "say Prosím přepiš"} + Hit(5, true).mid(1);
    EXPECT_EQ(Heard(), kHeardIntro + RoundStart() +
                           Miss("přidej")    // empty line: 0
                           + Miss("přidej")  // closed: still 0
                           + Miss("uber")    // 9
                           + Miss("uber")    // closed: still 9
                           + retypedHit      // "xy" is retyped within the same try
                           + kEnd);
}

TEST_F(GameTest, ClosingTheFirstDialogComparesZero)
{
    Secrets({1});
    Answers({Closed(), Typed(u"1"), Typed(u"1")});
    Play();
    EXPECT_EQ(Heard(), kHeardIntro + RoundStart() + Miss("přidej") + Hit(2, true) + kEnd);
}

TEST_F(GameTest, SecretNumbersAtBothEnds)
{
    // The smallest and the largest draw give 1 and 100.
    std::vector<double> draws = {0.0, 0x1.fffffffffffffp-1};
    SetRandomDrawForTesting([&] {
        const double r = draws.front();
        draws.erase(draws.begin());
        return r;
    });
    Answers({Typed(u"0"), Typed(u"1"), Typed(u"0"), Typed(u"101"), Typed(u"100"), Typed(u"1")});
    Play();
    EXPECT_EQ(Heard(), kHeardIntro + RoundStart() + Miss("přidej") + Hit(2, true) + RoundStart() +
                           Miss("uber") + Hit(2, true) + kEnd);
}
} // namespace
