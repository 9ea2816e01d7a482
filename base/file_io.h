// Reading and writing whole files the way every window does.
#pragma once

#include <QByteArray>
#include <QString>

namespace velmora::ui {

// Writes `dati` to a temporary file beside `percorso` and renames it over the
// target only once everything is written, so a failed write leaves the
// previous file whole. False, with the system's reason in `errore`, on failure.
bool ScriviFile(const QString& percorso, const QByteArray& dati, QString& errore);

// Reads a text file as the editor shows it (the translator's source decoding:
// UTF-8 when valid, a byte-order mark dropped, Windows-1252 otherwise), line
// ends turned into "\n". False, with the system's reason, when unreadable.
bool LeggiTesto(const QString& percorso, QString& testo, QString& errore);

// The system's reason for a failed file operation in Italian: from an error
// code (errno), or from the text Qt built from one (QFile::errorString()).
// Codes and texts not in the table come back as the system gives them.
QString TestoErrore(int codice);
QString TestoErrore(const QString& sistema);

}  // namespace velmora::ui
