// The about note, painted once straight onto the main window's client area.
// It is no window: the next repaint of a covered part removes it.
#include "ui/dialogs/dialogs.h"
#include "ui/main/ids.h"

namespace qk {
namespace {

constexpr char kFontName[] = "Courier New";
constexpr int kFontPoints = 12;
constexpr uint32_t kBoxColour = 0;
constexpr uint32_t kTextColour = rgb(244, 101, 11);
constexpr int kLineSpacing = 16;
constexpr int kMargin = 5;
constexpr int kBoxLines = 19;

}  // namespace

std::vector<std::string> aboutNoteLines() {
  return {
      "Hallo! Dieses kleine Programm ist f\xFCr Programmierer gedacht, f\xFCr Leute also,",
      "die wie ich \xFC" "ber die Jahre einen ganzen Berg an eigenem Quellcode angesammelt",
      "haben. Geschrieben habe ich es zuerst nur f\xFCr mich selbst: Meine Sammlung an",
      "kleinen Programmen, Werkzeugen und wiederverwendbaren Codeschnipseln wuchs",
      "und wuchs, und irgendwann waren es einfach zu viele Dateien, um darin noch",
      "irgendetwas auf Anhieb zu finden. Ich wollte endlich einen \xDC" "berblick haben,",
      "wo welches St\xFC" "ck liegt, was es tut und von wem es stammt. Daraus ist dann",
      "diese Quellkiste entstanden. Perfekt ist sie allerdings nicht, das gebe ich",
      "gerne zu: Jede einzelne Datei muss von Hand hinzugef\xFCgt werden, denn einen",
      "ganzen Ordner auf einmal einlesen kann das Programm nicht. Die Liste ist",
      "nicht einmal alphabetisch sortiert, wie man es eigentlich erwarten w\xFCrde,",
      "und eine Hilfe gibt es auch nicht. Die Bedienung ist, ehrlich gesagt, wohl",
      "nur f\xFCr mich selbst wirklich intuitiv, weil ich jeden Knopf und jede Eigenheit",
      "kenne. Wer sich trotzdem darauf einl\xE4sst, dem w\xFCnsche ich viel Freude damit,",
      "und vielleicht hilft es ja auch anderen, im eigenen Code Ordnung zu halten.",
      "Eine Bitte habe ich noch zum Schluss: Behaltet das Programm und den Code nicht",
      "f\xFCr euch allein! Gebt die Quellkiste weiter an Freunde, Kollegen und alle,",
      "die damit etwas anfangen k\xF6nnen, und teilt auch eure eigenen Quelltexte mit",
      "anderen. Code, der nur auf der eigenen Festplatte liegt, n\xFCtzt niemandem, und",
      "gemeinsam lernt man ohnehin viel mehr als jeder f\xFCr sich allein im stillen",
      "K\xE4mmerlein. In diesem Sinne: Viel Spa\xDF beim Sammeln, Ordnen und Teilen des eigenen Codes!",
  };
}

// The box and the text's left edge come from the last line, the longest.
// Centred on the desktop, not on the window; each quotient is truncated on
// its own.
void showAboutOverlay(Program& program) {
  Gui& gui = program.gui;
  const std::vector<std::string> lines = aboutNoteLines();
  const TextSize desktop = gui.desktopSize();
  if (!gui.beginOverlay(kMainWindow, kFontName, kFontPoints)) return;
  const TextSize last = gui.measureText(lines.back());
  const int left = desktop.width / 2 - last.width / 2;
  const int top = desktop.height / 2 - (last.height * static_cast<int>(lines.size())) / 2;
  gui.fillRectangle(left, top, left + last.width + 2 * kMargin, top + last.height * kBoxLines,
                    kBoxColour);
  for (size_t i = 0; i < lines.size(); ++i) {
    gui.drawText(left + kMargin, top + kLineSpacing * static_cast<int>(i), lines[i], kTextColour);
  }
  gui.endOverlay();
}

}  // namespace qk
