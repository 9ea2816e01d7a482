// SPDX-License-Identifier: GPL-3.0-or-later
// The settings that persist from one run to the next, and the work folder.
//
// Thirteen values (editor colours, font sizes, bold flags, the last BASIC
// file, the work folder and the TMR0 calculator's last texts) live in the
// text file "_PicConfig.Txt", one value a line, each line ended by CR LF. The
// file sits in the first candidate folder in which a file can be created: six
// fixed folder names on every entry of the drive list ("/" and the user's home
// folder), then the program's data folder (~/.local/share/Velmora, made when
// first needed; both from the environment). Every file operation here fails silently:
// a missing or short file leaves the values as the fix-ups make them, an
// unwritable location loses the settings.
#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>

#include "environment.h"

class QPlainTextEdit;
class QWidget;

namespace velmora::ui {

// Colours are packed integers: red in the lowest byte, green next, blue third.
QColor ColoreDaIntero(qint32 valore);
qint32 InteroDaColore(const QColor& colore);

struct Impostazioni {
  qint32 ColoreCarattereBasic = 0;
  qint32 ColoreSfondoBasic = 0;
  qint32 ColoreCarattereASM = 0;
  qint32 ColoreSfondoASM = 0;
  float FontSizeBasic = 0;
  float FontSizeASM = 0;
  QString FileCorrente;
  qint16 FontBoldBasic = 0;
  qint16 FontBoldASM = 0;
  QString CartellaLavoro;
  QString ValoreFrequenza;
  QString ValorePrescaler;
  QString ValoreTMR0;
};

inline constexpr int kRigheConfigurazione = 13;
inline constexpr int kMaxCandidati = 100;

// The candidate folders in search order (at most 100, the data folder last).
QStringList CartelleCandidate(const Ambiente& ambiente);

// The first candidate in which the probe file "TmpABCTmp.Txt" can be created
// (the probe is removed again), without a trailing "/"; empty when none.
QString TrovaCartellaScrivibile(const Ambiente& ambiente);

// "_PicConfig.Txt" in the writable folder; empty when there is none.
QString PercorsoConfigurazione(const Ambiente& ambiente);

// The value forms of the file: "hex" (upper-case digits, no leading zeros),
// "number" (decimal, "." as point, a leading space when not negative).
QString TestoEsadecimale(qint32 valore);
QString TestoNumero(double valore);
// Reading them back: hex is a run of 1 to 8 upper-case hex digits (anything
// else reads 0); a number is the leading decimal part after spaces (none reads 0).
qint32 LeggiEsadecimale(const QString& riga);
double LeggiNumero(const QString& riga);

// The 13 lines of the file, each ended by CR LF, as UTF-8.
QByteArray TestoConfigurazione(const Impostazioni& valori);
// Reads the 13 lines of `testo` into `valori` (missing lines count as empty);
// no fix-ups.
void InterpretaConfigurazione(const QByteArray& testo, Impostazioni& valori);

// Reads the settings file into `valori`, which on entry hold the editors'
// current colours and font sizes; the fix-ups take those back where the file
// gives a zero size or equal text and background colours, forget a last file
// that no longer exists and search the work folder when none is recorded.
void LeggiConfigurazione(const Ambiente& ambiente, Impostazioni& valori);

// Writes the settings file (through a temporary file); silent on failure.
void SalvaConfigurazione(const Ambiente& ambiente, const Impostazioni& valori);

// The main window's controls that the settings colour.
struct ControlliAspetto {
  QPlainTextEdit* textBasic = nullptr;
  QPlainTextEdit* textAsm = nullptr;
  QList<QWidget*> rigaBasic;  // "BAS" label and the BASIC row's buttons
  QList<QWidget*> rigaAsm;    // "ASM" label and the assembly row's buttons
};

// Puts the values on the editors (colours, size, bold) and on the two rows'
// backgrounds; negative colours become 0 first.
void ApplicaConfigurazione(Impostazioni& valori, const ControlliAspetto& controlli);

// Background and text colour of a button, label or editor as a packed integer.
void ImpostaSfondo(QWidget* controllo, qint32 colore);
qint32 SfondoDi(const QWidget* controllo);
void ImpostaColoreTesto(QWidget* controllo, qint32 colore);
qint32 ColoreTestoDi(const QWidget* controllo);

}  // namespace velmora::ui
