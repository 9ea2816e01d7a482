// SPDX-License-Identifier: GPL-3.0-or-later
// The help of the BASIC dialect: the list of entries and the page of each.
//
// The help browser lists 73 entries (topics, keywords and group headings) and
// shows the page of the selected one. A page is a text of lines, each followed
// by CR LF; keyword pages end with a block of short programs introduced by a
// line "---Esempio---" or "---Esempi---". The entries and the rules that pick
// a page are here; the page texts are the files of help/ (tools/help.qrc).
#pragma once

#include <QString>
#include <QStringList>

namespace velmora::tools {

// The 73 entries in list order; a blank entry is a single space.
const QStringList& VociHelp();

// What selecting an entry shows.
struct PaginaHelp {
  QString testo;                     // lines ended by CR LF
  bool mostraPackage = false;        // the package picture instead of a text
  bool apriCalcolatoreWait = false;  // "WAIT (Utility)": open the WAIT calculator too
};

// The page of `voce` by the page-choice rules, tried in order: every rule that
// matches appends its page ("WAIT (Utility)" matches two); "Package" shows only
// the picture; an entry without a page of its own shows the introduction.
// `dataVersione` fills the version box.
PaginaHelp ScegliPagina(const QString& voce, const QString& dataVersione);

// The text shown when the help opens and for entries without a page.
QString IntroduzioneHelp();

// The entry whose double click opens the guide.
QString VoceGuida();

}  // namespace velmora::tools
