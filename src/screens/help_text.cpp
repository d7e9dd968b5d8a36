#include "screens/help_text.h"

#include <string_view>

#include "core/colours.h"
#include "core/cp1252.h"

namespace kb {
namespace {

// A control line's three fields stand at x 10, 300 and 620: with 10 pixels a
// character, the first is filled to 29 characters and the second to 32.
using ControlText = std::array<char, 96>;

constexpr ControlText Columns(std::string_view first, std::string_view second,
                              std::string_view third) {
  ControlText out{};
  size_t n = 0;
  for (char c : first) out[n++] = c;
  while (n < 29) out[n++] = ' ';
  for (char c : second) out[n++] = c;
  while (n < 29 + 32) out[n++] = ' ';
  for (char c : third) out[n++] = c;
  return out;
}

constexpr std::array<ControlText, 18> kControls = {
    Columns("Tastatursteuerung:", "Spieler 2", "Spieler 1"),
    Columns("links:", "A", "linke Pfeiltaste"),
    Columns("rechts:", "D", "rechte Pfeiltaste"),
    Columns("oben:", "W", "obere Pfeiltaste"),
    Columns("unten:", "S", "untere Pfeiltaste"),
    Columns("Steine entfernen:", "STRG links", "RETURN |"),
    Columns("Steine tauschen:", "(nur im 1 Spieler Modus)", "0 (auf dem Ziffernblock)"),
    Columns("Steine neu mischen:", "(nur im 1 Spieler Modus)", "LEERTASTE"),
    Columns("Letzten Zug rückgängig:"_cp, "(nur im 1 Spieler Modus)", "STRG rechts"),
    Columns("Exit:", "ESC", "ESC"),
    Columns("Screenshot:", "F1", "F1"),
    Columns("Maussteuerung:", "Spieler 2", "Spieler 1"),
    Columns("Stein auswählen:"_cp, "rechte Maustaste", "rechte Maustaste"),
    Columns("Steine entfernen:", "linke Maustaste", "linke Maustaste"),
    Columns("Steine tauschen:", "(nur im 1 Spieler Modus)", "entsprechender Button"),
    Columns("Steine neu mischen:", "(nur im 1 Spieler Modus)", "entsprechender Button"),
    Columns("Letzten Zug rückgängig:"_cp, "(nur im 1 Spieler Modus)", "entsprechender Button"),
    Columns("Exit:", "entsprechender Button", "entsprechender Button"),
};

}  // namespace

// KEPT: the wording, slips included, is the game's own and stays as it is; row 99
// runs past the right edge.
const std::array<HelpLine, kHelpLineCount> kHelpLines = {{
    {0, kBlue, kControls[0].data()},
    {2, kWhite, kControls[1].data()},
    {3, kWhite, kControls[2].data()},
    {4, kWhite, kControls[3].data()},
    {5, kWhite, kControls[4].data()},
    {6, kWhite, kControls[5].data()},
    {7, kWhite, kControls[6].data()},
    {8, kWhite, kControls[7].data()},
    {9, kWhite, kControls[8].data()},
    {10, kWhite, kControls[9].data()},
    {11, kWhite, kControls[10].data()},
    {14, kBlue, kControls[11].data()},
    {16, kWhite, kControls[12].data()},
    {17, kWhite, kControls[13].data()},
    {18, kWhite, kControls[14].data()},
    {19, kWhite, kControls[15].data()},
    {20, kWhite, kControls[16].data()},
    {21, kWhite, kControls[17].data()},

    {25, kBlue, "Ziel des Spieles"},
    {27, kWhite,
     "Das Ziel des 1 Spieler Modusses ist es, alle Steine vom Spielfeld verschwinden zu lassen und "
     "somit"},
    {28, kWhite,
     "ins nächste Level zu kommen. Im 2 Spieler Modus und gegen den Computer muss man jeweils "_cp
     "versuchen,"},
    {29, kWhite,
     "möglichst viele Steine ins gegnerische Spielfeld zu bekommen. Sobald dort keine platz mehr "_cp
     "für"_cp},
    {30, kWhite, "alle Steine ist, hat man gewonnen."},

    {34, kBlue, "Wie erreiche ich dieses Ziel?"},
    {35, kWhite,
     "Dazu löschen sie Kombinationen aus mindestens 2 nebeneinanderliegenden Steinen."_cp},

    {39, kBlue, "Worauf sollte ich beim Steine löschen achten?"_cp},
    {41, kWhite,
     "Im 1 Spielermodus bekommen sie umso mehr Punkte, je mehr Steine sie auf einen Schlag "
     "löschen."_cp},
    {42, kWhite,
     "Sie sollten also möglichst große Kombinationen aufbauen, bevor sie diese vom Spielfeld "_cp
     "entfernen."},
    {43, kWhite,
     "Im 2 Spielermodus und im Modus gegen den Computer bekommt der Gegner genauso viele Steine "
     "dazu,"},
    {44, kWhite,
     "wie sie bei sich entfernen. Wenn sie aber größere Kombinationen löschen, so bekommt er "_cp
     "zusätzlich"_cp},
    {45, kWhite,
     "noch unzerstörbare Steine aufgehalst, die ihm schwer zu schaffen machen, da sie ihm im "_cp
     "Bilden"},
    {46, kWhite,
     "großer Steingruppen im Weg sind. Möglichst große Steingruppen sind also das A und O bei"_cp},
    {47, kWhite, "Klotzbrecher!"},

    {51, kBlue, "Wie erreiche ich besonders große Steingruppen?"_cp},
    {53, kWhite, "Tip 1:"},
    {54, kWhite,
     "Halten sie nach bereits mittelgroßen Steingruppen Ausschau und entfernen sie kleinere "_cp
     "Gruppen"},
    {55, kWhite,
     "in der Nähe dieser mittelgroßen Gruppe, so dass weitere Steine der passenden Farbe in die"_cp},
    {56, kWhite, "Gruppe runterrutschen und diese größer machen."_cp},
    {57, kWhite, "Tip 2:"},
    {58, kWhite,
     "Achten sie darauf, von welcher Farbe die meisten Steine auf dem Spielfeld liegen. Je mehr"},
    {59, kWhite,
     "der auf dem Spielfeld vorhandenen Steine eine Farbe haben, desto leichter können sie sehr "_cp
     "viele"},
    {60, kWhite, "davon in einer Gruppe vereinen."},
    {61, kWhite, "Tip 3"},
    {62, kWhite,
     "Setzten sie die Connector (C) Steine überlegt ein. Sie können verschiedenfarbige "_cp
     "benachbarte"},
    {63, kWhite,
     "Steine miteinander verbinden. Da Connectorsteine sehr selten sind, sollten sie sie sich "
     "für"_cp},
    {64, kWhite,
     "möglichst große Steingruppen aufheben. Ein gut gesetzter Connector bringt ihnen oft den"_cp},
    {65, kWhite,
     "Sieg bzw. die meisten Punkte, da er zwei oder mehr große Gruppen zu einer riesigen vereint."_cp},
    {66, kWhite, "Tipp 4 (nur 1 Spieler Modus):"},
    {67, kWhite,
     "Ihr knapper Vorrat an zur Verfügung stehenden Steintauschen ist ein wertvolles Gut,"_cp},
    {68, kWhite,
     "welches sie nicht leichtfertig verschwenden sollten. Oft trennt nur ein einziger Stein zwei "
     "große"_cp},
    {69, kWhite,
     "Gruppen voneinandner, so dass man durch einen Tausch gegen einen Stein der richtigen Farbe"},
    {70, kWhite,
     "gigantische Gruppen erzeugen kann. Besonders Connectorsteine, per Tausch versetzt, können"_cp},
    {71, kWhite, "Wunder wirken."},

    {75, kBlue, "Gibt es Bonuspunkte und wenn ja wofür?"_cp},
    {77, kWhite,
     "Ja, die gibt es, natürlich nur im 1 Spieler Modus, da es in den anderen Modi nicht um Punkte "_cp
     "geht."},
    {79, kWhite, "Bonus 1: Multiplikatorsteine"},
    {80, kWhite,
     "Setzten sie die Multiplikator (M) Steine überlegt ein. Sie können die Punktzahl bei "_cp
     "optimalem Einsatz"},
    {81, kWhite,
     "extrem steigern. Umso größer die Gruppe von Steinen, die gleichzeitig mit dem Multiplikator "_cp
     "entfernt"},
    {82, kWhite,
     "werden, desto größer der Bonus durch den Multipliakator, es macht also relativ wenig Sinn, "_cp
     "den"},
    {83, kWhite,
     "Multiplikator zusammen mit nur einem Nachbarstein vom Spielfeld zu entfernen. Der "
     "Multiplikatorbonus"},
    {84, kWhite,
     "wirkt für alle Steingruppen, die NACH der Gruppe entfernt werden, in der der Multiplikator "_cp
     "ist,"},
    {85, kWhite,
     "alledings nur bis zum Levelende! Ihn erst kurz vor Levelende einzusetzten, macht also wenig "
     "Sinn."},
    {86, kWhite,
     "Sie können hingegen ruhig mehrere Multiplikatoren gleichzeitig entfernen, um richtig viel "_cp
     "Bonus aus"},
    {87, kWhite, "großen Steinkombinationen herauszuschlagen."_cp},
    {89, kWhite, "Bonus 2: Snake"},
    {90, kWhite,
     "Wenn sie im 1 Spieler Modus mindestens 50 Steine auf einmal entfernen, erreichen sie das "
     "Snake"},
    {91, kWhite,
     "Bonusspiel. Hier bekommen sie für jedes Ei, dass die Schlange frisst, Punkte. Je höher ihr"_cp},
    {92, kWhite, "Multiplikator und ihr Ultramultiplikator sind, desto mehr Punkte gibt es."},
    {94, kWhite, "Bonus 3: Ultramultiplikator"},
    {95, kWhite,
     "Wenn sie gar 60 Steine auf einen Schlag entfernen, so erhöht sich ihr Ultramultiplikator. "_cp
     "Im"},
    {96, kWhite,
     "Gegensatz zum normalen Multiplikator bleibt der Ultramultiplikator nicht nur für ein Level "_cp
     "erhalten."},
    {98, kWhite, "Bonus 4: Extraleben"},
    {99, kWhite,
     "Bei sogar 70 auf einen Schlag entfernten Steinen gibt ein Extaleben. Bei mindestens 60 bzw. "
     "mindestens 70"},
    {100, kWhite, "Steinen auf einmal erhalten sie die Boni für 50 bzw für 50 und 60 trotzdem."_cp},
    {102, kWhite, "Bonus 5: Level erfolgreich beendet"},
    {103, kWhite,
     "Auf ihre bis dahin erreichte Gesamtpunktzahl bekommen sie einen Bonus von 10 Prozent, wenn "
     "sie ein"},
    {104, kWhite, "Level erfolgreich beenden."},

    {108, kBlue, "Wozu sind die Leben gut?"},
    {110, kWhite,
     "Mit jedem Leben können sie einmal die Steine komplett neu durchmischen lassen. Dies ist in "_cp
     "besonders"},
    {111, kWhite,
     "schlechten Situationen manchmal nützlich. Aber heben sie sich immer ein Leben für den"_cp},
    {112, kWhite,
     "Notfall auf, wenn noch Steine kurz vor Levelende übrig sind, die sie nicht mehr"_cp},
    {113, kWhite,
     "entfernen können, weil keine gleichfarbigen Steine nebeneinander liegen. Ein Steintausch "_cp
     "hilft da"},
    {114, kWhite, "oft aber auch."},

    {118, kBlue, "Wo sind die Screenshots, die ich gemacht habe?"},
    {120, kWhite,
     "Ein Screenshot wird automatisch im gleichen Ordner wie das Spiel im Unterordner Screenshots"},
    {121, kWhite, "abgespeichert."},

    {125, kBlue, "Was bedeutet es, wenn der Cursor sich dreht?"},
    {127, kWhite,
     "Dies ist nur im 2 Spielermodus und im Modus gegen den Computergegner der Fall. Derjenige, "
     "dessen"},
    {128, kWhite, "Cursor sich dreht, ist gerade nicht am Zug, da immer abwechseld gezogen wird!"},
}};

}  // namespace kb
