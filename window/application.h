// What the program sets up before it builds its window.
#pragma once

class QApplication;

namespace pelagor {

// The name a desktop knows the program by, in its desktop entry, AppStream
// data and icon files.
inline constexpr char kApplicationId[] = "example.pelagor.Pelagor";

// Names the application after its desktop entry and puts Qt's own texts
// (context menus, standard buttons) into Bulgarian, the program's language.
void prepareApplication(QApplication &app);

} // namespace pelagor
