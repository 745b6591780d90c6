// texts.cpp: the two string tables. Non-ASCII letters are written as code page 1252
// escapes so that both builds hold the same bytes (a hex escape is ended by splitting the
// literal where a hex digit follows).
#include "rtd/texts.h"

#include <cstdio>

namespace {

constexpr int count = int(Text::textCount);

constexpr const char* german[count] = {
    "rtd - 3D-Ansicht",
    "&Datei",
    "Bild &speichern...",
    "&Beenden",
    "&Ansicht",
    "&Startansicht (Ecke 5,4,3)",
    "&Gegenansicht (Ecke 0,0,0)",
    "&vorne",
    "&hinten",
    "&rechts",
    "&links",
    "&oben",
    "&unten",
    "&Perspektive",
    "&Kanten",
    "&Beleuchtung",
    "Explosion &weiter",
    "Explosion &enger",
    "Explosion &aus",
    "Aufbau: n\xE4" "chster Schritt",
    "Aufbau: einen Schritt zur\xFC" "ck",
    "Aufbau be&enden",
    "&Objektdarstellung",
    "alle &einblenden",
    "alle &ausblenden",
    "&nur dieses",
    "Baustein %d",
    "&Sprache",
    "&Deutsch",
    "&English",
    "&Hilfe",
    "&Tasten und Maus...",
    "rtd - Hilfe",
    "Maus:\n"
    "  linke Taste ziehen: drehen\n"
    "  rechte Taste ziehen: verschieben\n"
    "  Rad: vergr\xF6\xDF" "ern / verkleinern\n"
    "\n"
    "Tasten:\n"
    "  Pos1: Startansicht (Blick auf die Ecke 5,4,3, y nach oben)\n"
    "  F8: Gegenansicht (Blick auf die Ecke 0,0,0)\n"
    "  F5 / Umschalt+F5: von vorne / von hinten\n"
    "  F6 / Umschalt+F6: von rechts / von links\n"
    "  F7 / Umschalt+F7: von oben / von unten\n"
    "  + / -: vergr\xF6\xDF" "ern / verkleinern\n"
    "  1 ... 9, 0: Baustein 1 ... 10 aus- und einblenden\n"
    "  Umschalt+1, Umschalt+2: Baustein 11, 12 aus- und einblenden\n"
    "  A / Umschalt+A: alle einblenden / alle ausblenden\n"
    "  N: nur den Baustein unter der Maus zeigen\n"
    "  X / Umschalt+X: Explosion weiter / enger\n"
    "  Bild ab / Bild auf: Aufbau, n\xE4" "chster Schritt / einen zur\xFC" "ck\n"
    "  Ende: Aufbau beenden\n"
    "  M: Aufbau frei / in die Schachtel (oben offen)\n"
    "  K: Kanten ein/aus\n"
    "  P: Perspektive / Parallelprojektion\n"
    "  L: Beleuchtung ein/aus (flache Farben)\n"
    "  F: Farblegende ein/aus\n"
    "  Strg+S: Bild speichern (PNG oder BMP)\n"
    "  F1: diese Hilfe\n"
    "  Alt+F4: beenden\n"
    "\n"
    "Frei gleitet jeder Baustein entlang einer Achse an seinen Platz (\"Baustein 7 von oben\").\n"
    "In die Schachtel ist jeder Schritt eine Bewegung, etwa\n"
    "  \"Baustein 5 von oben hinein\"\n"
    "  \"Baustein 4 eine Zelle nach links\"\n"
    "  \"Bausteine 2 und 9 zusammen eine Zelle nach unten\"\n"
    "Bausteine, die nur zusammen hineingehen, werden \xFC" "ber der Schachtel zusammengesetzt:\n"
    "  \"Bausteine 2, 4, 7 und 9 verhakt: sie kommen zusammen hinein\"",
    "Die Datei '%s' kann nicht gelesen werden.",
    "Die Datei ist leer.",
    "Die Datei ist keine SLP-Textdatei (Bin\xE4" "rdaten).",
    "Die Datei enth\xE4lt keine darstellbare Facette.",
    "Zeile %d: ung\xFCltige oder zu gro\xDF" "e Zahl.",
    "Zeile %d: Facette mit %d statt 3 Ecken.",
    "Zeile %d: l\xE4nger als 99 Zeichen.",
    "Zeile %d: die Datei endet mitten in einer Facette oder einem Solid.",
    "Zeile %d: unbekannte Zeile.",
    "... und %d weitere Probleme.",
    "Keine Datei angegeben. Aufruf: rtd DATEI.slp  oder  rtd -o BILD.png [-w BREITE -h H\xD6HE] DATEI.slp",
    "Unbekannte Option '%s'.",
    "Die Option '%s' braucht eine ganze Zahl von %d bis %d.",
    "Die Option '%s' braucht einen Dateinamen.",
    "OpenGL steht nicht zur Verf\xFC" "gung.",
    "Bild gespeichert: %s",
    "Bild konnte nicht gespeichert werden: %s",
    "Aufbau %d von %d",
    "Teil %d von %d: %s",
    "Baustein %s %s",
    "Bausteine %s verhakt, Aufbau von unten nach oben",
    "Aufbau in die Schachtel (oben offen)",
    "--step %d: es gibt nur die Schritte 0 bis %d.",
    "PNG-Bilder (*.png)|*.png|BMP-Bilder (*.bmp)|*.bmp|Alle Dateien (*.*)|*.*|",
    "Die Datei '%s' ist gr\xF6\xDF" "er als %d MiB und wird nicht gelesen.",
    "Zeile %d: Facette mit %d Ecken, mehr als %d: nicht dargestellt.",
    "Zeile %d: mehr als %d Dreiecke, der Rest der Datei wird nicht dargestellt.",
    "Zeile %d: mehr als %d Solids, der Rest der Datei wird nicht dargestellt.",
    " (frei)",
    " (in die Schachtel)",
    "&Farblegende",
    "Das Bild '%s' w\xE4re die gelesene Datei selbst; sie wird nicht \xFC" "berschrieben.",
    "Schritt %d von %d: %s",
    "Baustein %s %s hinein",
    "Baustein %s %s",
    "Bausteine %s zusammen %s",
    "Bausteine %s verhakt: sie kommen zusammen hinein",
    "Baustein %s au\xDF" "erhalb der Schachtel bereitgelegt",
    "Baustein %s au\xDF" "erhalb der Schachtel %s",
    "Bausteine %s au\xDF" "erhalb der Schachtel zusammen %s",
    "Baustein %s au\xDF" "erhalb der Schachtel %s dazu",
    "Bausteine %s au\xDF" "erhalb der Schachtel zusammen %s dazu",
    " und ",
    "Kein Plan in die Schachtel innerhalb von %lu Zust\xE4nden je Suche gefunden, Aufbau von unten nach oben",
};

constexpr const char* english[count] = {
    "rtd - 3-D view",
    "&File",
    "&Save picture...",
    "E&xit",
    "&View",
    "&Start view (corner 5,4,3)",
    "&Opposite view (corner 0,0,0)",
    "&Front",
    "&Back",
    "&Right",
    "&Left",
    "&Top",
    "Botto&m",
    "&Perspective",
    "&Edges",
    "L&ighting",
    "E&xplode more",
    "Explode &less",
    "Explode o&ff",
    "Build-up: &next step",
    "Build-up: one step bac&k",
    "&End build-up",
    "&Objects",
    "&Show all",
    "&Hide all",
    "&Only this",
    "Piece %d",
    "&Language",
    "&Deutsch",
    "&English",
    "&Help",
    "&Keys and mouse...",
    "rtd - Help",
    "Mouse:\n"
    "  drag with the left button: orbit\n"
    "  drag with the right button: pan\n"
    "  wheel: zoom in / out\n"
    "\n"
    "Keys:\n"
    "  Home: start view (looking at corner 5,4,3, y up)\n"
    "  F8: opposite view (looking at corner 0,0,0)\n"
    "  F5 / Shift+F5: from the front / from the back\n"
    "  F6 / Shift+F6: from the right / from the left\n"
    "  F7 / Shift+F7: from the top / from the bottom\n"
    "  + / -: zoom in / out\n"
    "  1 ... 9, 0: hide or show piece 1 ... 10\n"
    "  Shift+1, Shift+2: hide or show piece 11, 12\n"
    "  A / Shift+A: show all / hide all\n"
    "  N: show only the piece under the mouse\n"
    "  X / Shift+X: explode more / less\n"
    "  Page Down / Page Up: build-up, next step / one back\n"
    "  End: end the build-up\n"
    "  M: build-up free / into the box (open at the top)\n"
    "  K: edges on/off\n"
    "  P: perspective / parallel projection\n"
    "  L: lighting on/off (flat colours)\n"
    "  F: colour legend on/off\n"
    "  Ctrl+S: save the picture (PNG or BMP)\n"
    "  F1: this help\n"
    "  Alt+F4: exit\n"
    "\n"
    "Free, each piece slides to its place along one axis (\"piece 7 from above\").\n"
    "Into the box every step is one move, such as\n"
    "  \"piece 5 in from above\"\n"
    "  \"piece 4 one cell to the left\"\n"
    "  \"pieces 2 and 9 together one cell down\"\n"
    "Pieces that only go in together are put together above the box:\n"
    "  \"pieces 2, 4, 7 and 9 interlock: they go in together\"",
    "The file '%s' cannot be read.",
    "The file is empty.",
    "The file is no SLP text file (binary data).",
    "The file holds no facet that can be shown.",
    "Line %d: invalid or too large number.",
    "Line %d: facet with %d corners instead of 3.",
    "Line %d: longer than 99 characters.",
    "Line %d: the file ends inside a facet or a solid.",
    "Line %d: unknown line.",
    "... and %d more problems.",
    "No file given. Usage: rtd FILE.slp  or  rtd -o PICTURE.png [-w WIDTH -h HEIGHT] FILE.slp",
    "Unknown option '%s'.",
    "The option '%s' needs a whole number from %d to %d.",
    "The option '%s' needs a file name.",
    "OpenGL is not available.",
    "Picture saved: %s",
    "The picture could not be saved: %s",
    "Build-up %d of %d",
    "Step %d of %d: %s",
    "piece %s %s",
    "pieces %s interlock, built up from the bottom",
    "Build-up into the box (open at the top)",
    "--step %d: there are only steps 0 to %d.",
    "PNG pictures (*.png)|*.png|BMP pictures (*.bmp)|*.bmp|All files (*.*)|*.*|",
    "The file '%s' is larger than %d MiB and is not read.",
    "Line %d: facet with %d corners, more than %d: not shown.",
    "Line %d: more than %d triangles, the rest of the file is not shown.",
    "Line %d: more than %d solids, the rest of the file is not shown.",
    " (free)",
    " (into the box)",
    "Colour le&gend",
    "The picture '%s' would be the file being read; it is not overwritten.",
    "Step %d of %d: %s",
    "piece %s in %s",
    "piece %s %s",
    "pieces %s together %s",
    "pieces %s interlock: they go in together",
    "piece %s laid out outside the box",
    "piece %s %s, outside the box",
    "pieces %s together %s, outside the box",
    "piece %s joins %s, outside the box",
    "pieces %s join together %s, outside the box",
    " and ",
    "no plan into the box found within %lu states per search, built up from the bottom",
};

}  // namespace

const char* text(Language language, Text id)
{
    const int i = int(id);
    if (i < 0 || i >= count) return "";
    return (language == Language::english ? english : german)[i];
}

std::string describeNote(Language language, const SlpNote& note, const std::string& fileName)
{
    char line[600];
    switch (note.problem) {
    case SlpProblem::cannotOpen:
        std::snprintf(line, sizeof line, text(language, Text::problemCannotOpen), fileName.c_str());
        break;
    case SlpProblem::empty: return text(language, Text::problemEmpty);
    case SlpProblem::binary: return text(language, Text::problemBinary);
    case SlpProblem::noFacets: return text(language, Text::problemNoFacets);
    case SlpProblem::badNumber:
        std::snprintf(line, sizeof line, text(language, Text::problemBadNumber), note.line);
        break;
    case SlpProblem::wrongCornerCount:
        std::snprintf(line, sizeof line, text(language, Text::problemWrongCornerCount), note.line, note.detail);
        break;
    case SlpProblem::longLine:
        std::snprintf(line, sizeof line, text(language, Text::problemLongLine), note.line);
        break;
    case SlpProblem::truncated:
        std::snprintf(line, sizeof line, text(language, Text::problemTruncated), note.line);
        break;
    case SlpProblem::unknownLine:
        std::snprintf(line, sizeof line, text(language, Text::problemUnknownLine), note.line);
        break;
    case SlpProblem::tooLarge:
        std::snprintf(line, sizeof line, text(language, Text::problemTooLarge), fileName.c_str(),
                      int(maxSlpFileBytes >> 20));
        break;
    case SlpProblem::tooManyCorners:
        std::snprintf(line, sizeof line, text(language, Text::problemTooManyCorners), note.line, note.detail,
                      maxSlpFacetCorners);
        break;
    case SlpProblem::tooManyTriangles:
        std::snprintf(line, sizeof line, text(language, Text::problemTooManyTriangles), note.line, maxSlpTriangles);
        break;
    case SlpProblem::tooManySolids:
        std::snprintf(line, sizeof line, text(language, Text::problemTooManySolids), note.line, maxSlpSolids);
        break;
    default: return "";
    }
    return line;
}

std::string describeProblems(Language language, const SlpScene& scene, const std::string& fileName)
{
    std::string out;
    for (const SlpNote& note : scene.notes) {
        if (!out.empty()) out += '\n';
        out += describeNote(language, note, fileName);
    }
    const int more = scene.noteCount - int(scene.notes.size());
    if (more > 0) {
        char line[200];
        std::snprintf(line, sizeof line, text(language, Text::moreProblems), more);
        out += '\n';
        out += line;
    }
    return out;
}

std::string solidMenuName(Language language, const std::string& name, int index)
{
    if (name.empty()) {
        char line[64];
        std::snprintf(line, sizeof line, text(language, Text::solidFallbackName), index + 1);
        return line;
    }
    std::string out;
    for (char c : name) {
        if (c == '&') out += '&';
        if (c == '\t') c = ' ';
        out += c;
    }
    // Menus cut long names; a name is only a label.
    if (out.size() > 60) out = out.substr(0, 60) + "...";
    return out;
}
