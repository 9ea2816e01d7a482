// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>

#include <cmath>
#include <limits>

#include "file_io.h"

namespace velmora::ui {

namespace {

const char* const kNomeFile = "_PicConfig.Txt";
const char* const kFileProva = "TmpABCTmp.Txt";

// The fixed folder names tried on every drive, in order.
const char* const kCartelleFisse[] = {
    "Windows/Temp", "Windows/System", "Programmi/Windows NT",
    "Programmi/Microsoft Office", "Programmi/Adobe", "Temp",
};

QString Unisci(const QString& cartella, const QString& nome) {
  return cartella.endsWith(QLatin1Char('/')) ? cartella + nome : cartella + QLatin1Char('/') + nome;
}

// A drive-list entry made of a letter, a colon and a bracketed volume label
// ("c: [SISTEMA]") stands for the letter and the colon; a path stays whole.
QString RadiceDisco(const QString& voce) {
  const int dueP = static_cast<int>(voce.indexOf(QLatin1Char(':')));
  QString radice = (dueP == 1 && !voce.endsWith(QLatin1Char(':'))) ? voce.left(2) : voce;
  if (!radice.endsWith(QLatin1Char('/'))) radice += QLatin1Char('/');
  return radice;
}

QString SenzaSeparatoreFinale(QString cartella) {
  while (cartella.size() > 1 && cartella.endsWith(QLatin1Char('/'))) cartella.chop(1);
  return cartella;
}

qint16 Intero16(double valore) {
  const double arrotondato = std::nearbyint(valore);  // halves to the even neighbour
  if (!(arrotondato >= std::numeric_limits<qint16>::min())) return 0;
  if (arrotondato > std::numeric_limits<qint16>::max()) return 0;
  return static_cast<qint16>(arrotondato);
}

QPalette::ColorRole RuoloSfondo(const QWidget* controllo) {
  if (qobject_cast<const QAbstractButton*>(controllo)) return QPalette::Button;
  if (qobject_cast<const QPlainTextEdit*>(controllo)) return QPalette::Base;
  return QPalette::Window;
}

QPalette::ColorRole RuoloTesto(const QWidget* controllo) {
  if (qobject_cast<const QAbstractButton*>(controllo)) return QPalette::ButtonText;
  if (qobject_cast<const QPlainTextEdit*>(controllo)) return QPalette::Text;
  return QPalette::WindowText;
}

void ApplicaEditore(QPlainTextEdit* editor, qint32 carattere, qint32 sfondo, float size, qint16 bold) {
  if (!editor) return;
  ImpostaSfondo(editor, sfondo);
  ImpostaColoreTesto(editor, carattere);
  QFont font = editor->font();
  if (size > 0) font.setPointSizeF(size);
  font.setBold(bold == 1);
  editor->setFont(font);
}

}  // namespace

QColor ColoreDaIntero(qint32 valore) {
  const auto v = static_cast<quint32>(valore);
  return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF),
                static_cast<int>((v >> 16) & 0xFF));
}

qint32 InteroDaColore(const QColor& colore) {
  return colore.red() | (colore.green() << 8) | (colore.blue() << 16);
}

QStringList CartelleCandidate(const Ambiente& ambiente) {
  QStringList candidati;
  for (const QString& voce : ambiente.ElencoDischi()) {
    const QString disco = RadiceDisco(voce);
    for (const char* nome : kCartelleFisse) {
      if (candidati.size() >= kMaxCandidati) return candidati;
      candidati << disco + QString::fromLatin1(nome);
    }
  }
  candidati << ambiente.CartellaDati();
  return candidati;
}

QString TrovaCartellaScrivibile(const Ambiente& ambiente) {
  const QString dati = ambiente.CartellaDati();
  for (const QString& candidato : CartelleCandidate(ambiente)) {
    if (candidato.isEmpty()) continue;
    // The program's data folder is made on first start; the fixed ones never are.
    if (candidato == dati) QDir().mkpath(candidato);
    QFile prova(Unisci(candidato, QString::fromLatin1(kFileProva)));
    if (!prova.open(QIODevice::ReadWrite)) continue;
    prova.close();
    prova.remove();
    return SenzaSeparatoreFinale(candidato);
  }
  return {};
}

QString PercorsoConfigurazione(const Ambiente& ambiente) {
  const QString cartella = TrovaCartellaScrivibile(ambiente);
  if (cartella.isEmpty()) return {};
  return Unisci(cartella, QString::fromLatin1(kNomeFile));
}

QString TestoEsadecimale(qint32 valore) {
  return QString::number(static_cast<quint32>(valore), 16).toUpper();
}

QString TestoNumero(double valore) {
  const QString testo = QString::number(valore, 'g', std::numeric_limits<float>::digits10 + 1);
  return valore < 0 ? testo : QLatin1Char(' ') + testo;
}

qint32 LeggiEsadecimale(const QString& riga) {
  const QString cifre = riga.trimmed();
  if (cifre.isEmpty() || cifre.size() > 8) return 0;
  quint32 valore = 0;
  for (const QChar c : cifre) {
    int cifra = -1;
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) cifra = c.unicode() - '0';
    if (c >= QLatin1Char('A') && c <= QLatin1Char('F')) cifra = c.unicode() - 'A' + 10;
    if (cifra < 0) return 0;
    valore = valore * 16 + static_cast<quint32>(cifra);
  }
  return static_cast<qint32>(valore);
}

double LeggiNumero(const QString& riga) {
  const QString testo = riga.trimmed();
  int fine = 0;
  const int n = static_cast<int>(testo.size());
  auto cifra = [&](int i) { return i < n && testo[i].isDigit() && testo[i].unicode() < 128; };
  if (fine < n && (testo[fine] == QLatin1Char('+') || testo[fine] == QLatin1Char('-'))) ++fine;
  const int inizioCifre = fine;
  while (cifra(fine)) ++fine;
  if (fine < n && testo[fine] == QLatin1Char('.')) {
    ++fine;
    while (cifra(fine)) ++fine;
  }
  if (fine == inizioCifre || (fine == inizioCifre + 1 && testo[inizioCifre] == QLatin1Char('.'))) return 0;
  // An exponent counts only when digits follow it.
  if (fine < n && (testo[fine] == QLatin1Char('E') || testo[fine] == QLatin1Char('e'))) {
    int e = fine + 1;
    if (e < n && (testo[e] == QLatin1Char('+') || testo[e] == QLatin1Char('-'))) ++e;
    if (cifra(e)) {
      while (cifra(e)) ++e;
      fine = e;
    }
  }
  bool ok = false;
  const double valore = testo.left(fine).toDouble(&ok);
  return ok && std::isfinite(valore) ? valore : 0;
}

QByteArray TestoConfigurazione(const Impostazioni& v) {
  const QStringList righe = {
      TestoEsadecimale(v.ColoreCarattereBasic),
      TestoEsadecimale(v.ColoreSfondoBasic),
      TestoEsadecimale(v.ColoreCarattereASM),
      TestoEsadecimale(v.ColoreSfondoASM),
      TestoNumero(v.FontSizeBasic),
      TestoNumero(v.FontSizeASM),
      v.FileCorrente,
      TestoNumero(v.FontBoldBasic),
      TestoNumero(v.FontBoldASM),
      v.CartellaLavoro,
      v.ValoreFrequenza,
      v.ValorePrescaler,
      v.ValoreTMR0,
  };
  QByteArray testo;
  for (const QString& riga : righe) testo += riga.toUtf8() + "\r\n";
  return testo;
}

void InterpretaConfigurazione(const QByteArray& testo, Impostazioni& v) {
  QStringList righe = QString::fromUtf8(testo).split(QLatin1Char('\n'));
  for (QString& riga : righe)
    if (riga.endsWith(QLatin1Char('\r'))) riga.chop(1);
  while (righe.size() < kRigheConfigurazione) righe << QString();

  v.ColoreCarattereBasic = LeggiEsadecimale(righe[0]);
  v.ColoreSfondoBasic = LeggiEsadecimale(righe[1]);
  v.ColoreCarattereASM = LeggiEsadecimale(righe[2]);
  v.ColoreSfondoASM = LeggiEsadecimale(righe[3]);
  v.FontSizeBasic = static_cast<float>(LeggiNumero(righe[4]));
  v.FontSizeASM = static_cast<float>(LeggiNumero(righe[5]));
  v.FileCorrente = righe[6];
  v.FontBoldBasic = Intero16(LeggiNumero(righe[7]));
  v.FontBoldASM = Intero16(LeggiNumero(righe[8]));
  v.CartellaLavoro = righe[9];
  v.ValoreFrequenza = righe[10];
  v.ValorePrescaler = righe[11];
  v.ValoreTMR0 = righe[12];
}

void LeggiConfigurazione(const Ambiente& ambiente, Impostazioni& valori) {
  const QString percorso = PercorsoConfigurazione(ambiente);
  if (percorso.isEmpty()) return;

  const Impostazioni dagliEditori = valori;
  QByteArray testo;
  QFile file(percorso);
  if (file.open(QIODevice::ReadOnly)) testo = file.readAll();
  InterpretaConfigurazione(testo, valori);

  if (valori.FontSizeBasic == 0) valori.FontSizeBasic = dagliEditori.FontSizeBasic;
  if (valori.FontSizeASM == 0) valori.FontSizeASM = dagliEditori.FontSizeASM;
  if (valori.ColoreCarattereBasic == valori.ColoreSfondoBasic) {
    valori.ColoreCarattereBasic = dagliEditori.ColoreCarattereBasic;
    valori.ColoreSfondoBasic = dagliEditori.ColoreSfondoBasic;
  }
  if (valori.ColoreCarattereASM == valori.ColoreSfondoASM) {
    valori.ColoreCarattereASM = dagliEditori.ColoreCarattereASM;
    valori.ColoreSfondoASM = dagliEditori.ColoreSfondoASM;
  }
  if (!valori.FileCorrente.isEmpty() && !QFileInfo(valori.FileCorrente).isFile())
    valori.FileCorrente.clear();
  if (valori.CartellaLavoro.isEmpty()) valori.CartellaLavoro = TrovaCartellaScrivibile(ambiente);
}

void SalvaConfigurazione(const Ambiente& ambiente, const Impostazioni& valori) {
  const QString percorso = PercorsoConfigurazione(ambiente);
  if (percorso.isEmpty()) return;
  QString errore;
  ScriviFile(percorso, TestoConfigurazione(valori), errore);
}

void ApplicaConfigurazione(Impostazioni& v, const ControlliAspetto& c) {
  for (qint32* colore : {&v.ColoreCarattereBasic, &v.ColoreSfondoBasic, &v.ColoreCarattereASM,
                         &v.ColoreSfondoASM})
    if (*colore < 0) *colore = 0;

  ApplicaEditore(c.textBasic, v.ColoreCarattereBasic, v.ColoreSfondoBasic, v.FontSizeBasic, v.FontBoldBasic);
  for (QWidget* w : c.rigaBasic) ImpostaSfondo(w, v.ColoreSfondoBasic);
  ApplicaEditore(c.textAsm, v.ColoreCarattereASM, v.ColoreSfondoASM, v.FontSizeASM, v.FontBoldASM);
  for (QWidget* w : c.rigaAsm) ImpostaSfondo(w, v.ColoreSfondoASM);
}

void ImpostaSfondo(QWidget* controllo, qint32 colore) {
  if (!controllo) return;
  QPalette palette = controllo->palette();
  palette.setColor(RuoloSfondo(controllo), ColoreDaIntero(colore));
  controllo->setPalette(palette);
  if (RuoloSfondo(controllo) == QPalette::Window) controllo->setAutoFillBackground(true);
}

qint32 SfondoDi(const QWidget* controllo) {
  return InteroDaColore(controllo->palette().color(RuoloSfondo(controllo)));
}

void ImpostaColoreTesto(QWidget* controllo, qint32 colore) {
  if (!controllo) return;
  QPalette palette = controllo->palette();
  palette.setColor(RuoloTesto(controllo), ColoreDaIntero(colore));
  controllo->setPalette(palette);
}

qint32 ColoreTestoDi(const QWidget* controllo) {
  return InteroDaColore(controllo->palette().color(RuoloTesto(controllo)));
}

}  // namespace velmora::ui
