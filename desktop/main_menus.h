// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's commands as named actions, and the menu bar and toolbar
// built from them.
//
// Each action has an objectName ("traduci", "simula", "esegui", ...) so the
// window, its tests and the toolbar find it by name, and each key has one
// meaning in the whole window, whichever control has the focus:
//   F5 Traduci, F6 Assembla, F9 Simula (translate, assemble, run);
//   F7 Esegui/Continua, Maiusc+F7 Pausa, F10 Passo, Maiusc+F10 Passo sopra,
//   Ctrl+F10 Esci dalla SUB, F11 Passo istruzione, F4 Esegui fino al
//   cursore, Maiusc+F9 Reset, F8 punto di interruzione on the cursor's line;
//   Ctrl+N/O/S/P/Q for Nuovo, Apri, Salva, Stampa, Esci; F1 the help.
#pragma once

#include <QList>

class QAction;

namespace velmora::ui {

class MainWindow;

// Makes the actions (children of `finestra`), its menu bar and toolbar.
// The simulation actions are returned, for the bench's dock to carry their
// keys while it floats.
QList<QAction*> CreateMenus(MainWindow& finestra);

}  // namespace velmora::ui
