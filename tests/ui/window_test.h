// SPDX-License-Identifier: GPL-3.0-or-later
// What the window tests share: whole-file reads and writes, child lookup,
// driving a modal dialog, and an environment that records every message and
// question and answers from queues.
#pragma once

#include <QtTest>
#include <QtWidgets>

#include <deque>
#include <functional>
#include <memory>

#include "environment.h"
#include "file_dialog.h"

namespace velmora::test {

// The file's bytes, "<assente>" when it cannot be read.
inline QByteArray Leggi(const QString& percorso) {
  QFile f(percorso);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<assente>");
}

inline void Scrivi(const QString& percorso, const QByteArray& dati) {
  QFile f(percorso);
  if (f.open(QIODevice::WriteOnly)) f.write(dati);
}

inline QString SenzaCr(QString testo) { return testo.replace(QStringLiteral("\r\n"), QStringLiteral("\n")); }

// A named child control; a missing one ends the test program.
template <typename T = QLineEdit>
T* Figlio(const QObject& w, const QString& nome) {
  T* c = w.findChild<T*>(nome);
  if (c == nullptr) qFatal("control %s missing", qPrintable(nome));
  return c;
}

// Clicks a control as the user would: a button's click, else a mouse click.
inline void Premi(QWidget* c) {
  if (auto* p = qobject_cast<QAbstractButton*>(c)) p->click();
  else QTest::mouseClick(c, Qt::LeftButton);
}

// `azione` runs on the modal dialog the next event loop shows; then it is
// rejected if still open. `azione` gets nullptr when no dialog is modal.
inline void NelDialogo(std::function<void(QDialog*)> azione) {
  QTimer::singleShot(0, [azione] {
    auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    azione(d);
    if (d && d->isVisible()) d->reject();
  });
}

// Types `testo` into the line edit `campo` of `w` and presses Enter.
inline void Invio(const QWidget& w, const QString& campo, const QString& testo) {
  auto* e = Figlio(w, campo);
  e->setText(testo);
  QTest::keyClick(e, Qt::Key_Return);
}

using AzioneDialogo = std::function<void(ui::FileDialog&)>;

// The user's answer in the file dialog: type a path and press OK, or cancel.
inline AzioneDialogo Scegli(const QString& percorso) {
  return [percorso](ui::FileDialog& d) {
    d.ImpostaPercorso(percorso);
    d.Ok();
  };
}
inline AzioneDialogo Annulla() {
  return [](ui::FileDialog& d) { d.Annulla(); };
}

// An environment for one test. Drives: none unless given; current folder
// and data folder: `cartella`. Messages, OK boxes, questions and input boxes
// are recorded (as their text, titles apart); questions take the next queued
// answer (No when none), input boxes return `testoInput`, the file dialog the
// next queued action (cancel when none); pauses are only recorded. Not
// copyable: the environment's functions refer to it.
struct Registro {
  explicit Registro(const QString& cartella = {}, const QStringList& dischi = {}) {
    ambiente.elencoDischi = [dischi] { return dischi; };
    ambiente.cartellaCorrente = [cartella] { return cartella; };
    ambiente.cartellaDati = [cartella] { return cartella; };
    ambiente.schermo = [] { return QSize(1366, 768); };
    ambiente.pausa = [this](int ms) { pause << ms; };
    ambiente.messaggio = [this](const QString& m) { messaggi << m; };
    ambiente.avviso = [this](const QString& titolo, const QString& m) {
      titoliAvvisi << titolo;
      avvisi << m;
    };
    ambiente.domanda = [this](const QString& titolo, const QString& d) {
      titoliDomande << titolo;
      domande << d;
      if (risposte.empty()) return false;
      const bool r = risposte.front();
      risposte.pop_front();
      return r;
    };
    ambiente.input = [this](const QString& prompt, const QString& titolo, const QString& predefinito) {
      richieste << prompt << titolo << predefinito;
      return testoInput;
    };
    ambiente.allaComparsa = [this](QDialog& d) {
      auto* dialogo = qobject_cast<ui::FileDialog*>(&d);
      if (!dialogo) return;
      titoliDialoghi << dialogo->findChild<QLabel*>(QStringLiteral("LabelTitolo"))->text();
      if (dialoghi.empty()) return dialogo->Annulla();
      const AzioneDialogo azione = dialoghi.front();
      dialoghi.pop_front();
      azione(*dialogo);
    };
  }
  Registro(const Registro&) = delete;
  Registro& operator=(const Registro&) = delete;

  void Risposte(std::initializer_list<bool> r) { risposte.assign(r.begin(), r.end()); }
  void Dialoghi(std::initializer_list<AzioneDialogo> d) { dialoghi.assign(d.begin(), d.end()); }

  ui::Ambiente ambiente;
  QStringList messaggi, avvisi, titoliAvvisi, domande, titoliDomande, titoliDialoghi, richieste;
  QString testoInput;
  std::deque<bool> risposte;
  std::deque<AzioneDialogo> dialoghi;
  QList<int> pause;
};

// A test's own folders: `radice` emptied, its work folder "lavoro" made
// (and returned in `lavoro`), and a recording environment on it.
inline std::unique_ptr<Registro> NuovoLavoro(const QTemporaryDir& radice, QString& lavoro) {
  QDir(radice.path()).removeRecursively();
  lavoro = radice.filePath(QStringLiteral("lavoro"));
  QDir().mkpath(lavoro);
  return std::make_unique<Registro>(lavoro);
}

}  // namespace velmora::test
