#include "screens/credits_text.h"

#include "core/colours.h"
#include "core/cp1252.h"

namespace kb {
namespace {

// Role headings stand at x 100, names, firms and web sites at 400, and the
// comments that belong to the entry above them at 500.
constexpr int32_t kRole = 100;
constexpr int32_t kName = 400;
constexpr int32_t kComment = 500;

}  // namespace

const std::array<CreditLine, kCreditLineCount> kCreditLines = {{
    {0, 312, kRed, "Klotzbrecher 3 wurde entwickelt von Steinbruch Spielewerkstatt"},
    {40, 432, kWhite, "www.klotzbrecher3.example"},
    {60, 432, kWhite, "www.steinbruch-spiele.example"},

    {160, kRole, kBlue, "Entwicklungsleiter"},
    {160, kName, kWhite, "Kalle Klotz"},
    {180, kRole, kBlue, "Spieldesign"},
    {180, kName, kWhite, "Berta Brocken"},
    {200, kRole, kBlue, "Programmierung"},
    {200, kName, kWhite, "Quentin Quader"},
    {220, kRole, kBlue, "Grafik"},
    {220, kName, kWhite, "Greta Granit"},
    {240, kName, kWhite, "Mona Mosaik"},
    {260, kRole, kBlue, "Musik"},
    {260, kName, kWhite, "Otto Oktave"},
    {280, kRole, kBlue, "Betatester"},
    {280, kName, kWhite, "Sandra Sandstein"},
    {300, kName, kWhite, "Bernd Basalt"},
    {320, kName, kWhite, "Lotte Lehm"},
    {340, kName, kWhite, "Felix Feldspat"},
    {360, kName, kWhite, "Gustav Gneis"},
    {380, kName, kWhite, "Mia Marmor"},
    {400, kName, kWhite, "Karl Kiesel"},
    {420, kName, kWhite, "Tilda Tuffstein"},
    {440, kName, kWhite, "Quirin Quarz"},
    {460, kName, kWhite, "Sophie Schiefer"},

    {480, kRole, kBlue, "Besonderer Dank geht an"},
    {500, kName, kWhite, "Familie Klotz"},
    {520, kComment, kWhite, "für ihre unendliche Geduld"_cp},
    {540, kName, kWhite, "Familie Brocken"},
    {560, kComment, kWhite, "für ihre unendliche Geduld"_cp},
    {580, kName, kWhite, "www.steinschlag-forum.example"},
    {600, kComment, kWhite, "für die vielen Ideen, die Tipps zum Spielablauf"_cp},
    {620, kComment, kWhite, "und die unermüdliche Suche nach Fehlern"_cp},
    {640, kComment, kWhite, "in den ersten Versionen"},

    {680, kRole, kBlue, "Dank geht an"},
    {700, kName, kWhite, "die Kaffeemaschine im Büro"_cp},
    {720, kComment, kWhite, "für so manche durchgearbeitete Nacht"_cp},
    {740, kName, kWhite, "das Wirtshaus am Quaderplatz"},
    {760, kComment, kWhite, "für den Stammtisch, an dem die Idee"_cp},
    {780, kComment, kWhite, "zu diesem Spiel entstand"},
    {800, kName, kWhite, "www.pixelschmiede.example"},
    {820, kComment, kWhite, "für die Hilfe bei den Grafiken"_cp},
    {840, kName, kWhite, "den Tonkeller e.V."},
    {860, kComment, kWhite, "für den Proberaum und die Aufnahmen"_cp},
    {880, kName, kWhite, "alle Leser unseres Forums"},
    {900, kComment, kWhite, "für die vielen Vorschläge"_cp},
    {920, kName, kWhite, "die Nachbarn im dritten Stock"},
    {940, kComment, kWhite, "für ihre Nachsicht bei lauter Musik"_cp},
    {960, kName, kWhite, "den Hausmeister vom Steinweg 3"},
    {980, kComment, kWhite, "für den Ersatzschlüssel zum Büro"_cp},
    {1000, kName, kWhite, "unseren Bürohund Brocki"_cp},
    {1020, kComment, kWhite, "für die Spaziergänge zwischendurch"_cp},
    {1040, kName, kWhite, "und auch an sie,"},
    {1060, kComment, kWhite, "weil sie das hier lesen"},
}};

}  // namespace kb
