#pragma once
#include <QIcon>
#include <QString>

class QWidget;

namespace zv::ui {

// The shared image list: one SVG icon per key ("Add", "Modify", "Delete",
// "Select", "Refresh", "Help", "Exit", "Print", "Ok", "Cancel", "Reset", the
// status pictures and the main window's toolbar pictures). Unknown key: null icon.
QIcon icon(const QString &key);
QStringList iconKeys();
// The picture's SVG file among the program's resources; empty for an unknown key.
QString iconFile(const QString &key);

// Sets the program's style up: the platform's own, with its standard pictures
// made once. Call once, after the application object and before any window.
void installProgramStyle();

// The mouse pointer as forms set it: 11 is the hourglass, 0 normal.
void setMousePointer(int pointer);

// Shows the hourglass while alive.
class Hourglass {
public:
    Hourglass();
    ~Hourglass();
    Hourglass(const Hourglass &) = delete;
    Hourglass &operator=(const Hourglass &) = delete;
};

// Lets pending events run.
void DoEvents();

// Moves the focus to the next control in tab order (SendKeys "{TAB}").
void sendTab(QWidget *from);

// Twips to pixels at 96 dpi (15 twips a pixel) and back.
inline int twipsToPixels(int twips) { return twips / 15; }
inline int pixelsToTwips(int pixels) { return pixels * 15; }

} // namespace zv::ui
