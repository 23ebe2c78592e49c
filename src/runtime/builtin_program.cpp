#include "runtime/builtin_program.h"

#include "runtime/input_statement.h"
#include "runtime/print_statement.h"
#include "runtime/rnd.h"

#include <cmath>

namespace {
void Print(const char16_t* text, uint8_t mode = 0) { PrintText(QString::fromUtf16(text), mode); }

void Introduction()
{
    Print(u"hádání čísel.");
    Print(u"vytvořil kvirotal v roce 1991.");
    Print(u"myslím si číslo od jedné do sta. tvým úkolem je uhodnout toto číslo, napsat je a "
          u"stisknout klávesu nový řádek.");
    Print(u"po vložení čísla ti řeknu buď přidej, což znamená, že musíš číslo zvětšit, nebo "
          u"uber, což znamená, že musíš číslo zmenšit.");
}

// One round: guesses until the secret number is hit; returns the number of tries.
double GuessRound(double& guess)
{
    Print(u"napiš číslo, které si myslím");
    double tries = 0;
    const double secret = std::trunc(Rnd(1) * 100) + 1;
    for (;;) {
        tries += 1;
        Print(u" ");
        InputNumber(guess, 0);
        if (guess < secret)
            Print(u"přidej");
        else if (guess > secret)
            Print(u"uber");
        else
            return tries;
    }
}

void Praise(double tries)
{
    Print(u"uhodl jsi!");
    Print(u"potřeboval jsi ", 1);
    PrintNumber(1, tries);
    Print(u"pokusů na uhodnutí myšleného čísla.");
    if (tries <= 10)
        Print(u"gratuluji!!!");
}
} // namespace

void BuiltInProgram()
{
    RandomizeFromClock();
    double guess = 0;
    double answer = 0;
    Introduction();
    do {
        Praise(GuessRound(guess));
        Print(u"chceš hrát ještě jednou?");
        Print(u"0 =ano, 1 =ne");
        Print(u" ");
        InputNumber(answer, 0);
    } while (answer == 0);
    Print(u"konec programu.");
}
