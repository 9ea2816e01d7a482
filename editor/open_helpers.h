// SPDX-License-Identifier: GPL-3.0-or-later
// Opening a BASIC file by dropping it on the window or naming it on the
// command line. These only find the path; the window opens it through its
// unsaved-changes flow, as the Apri button does.
#pragma once

#include <QString>
#include <QStringList>

class QMimeData;

namespace velmora::editor {

// True for a path whose suffix is .bas, in any case.
bool IsBasPath(const QString& path);

// The first local .bas file among the dropped URLs, empty when there is none
// (the window then ignores the drag).
QString BasPathFromDrop(const QMimeData* mime);

// The first argument after the program name that names a .bas file, made
// absolute against `currentFolder`; empty when none does ("DEBUG" and other
// words are left to the window).
QString BasPathFromArguments(const QStringList& arguments, const QString& currentFolder);

}  // namespace velmora::editor
