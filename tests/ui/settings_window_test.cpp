// The settings window: filling, Enter in each field, the bold boxes, "reset",
// saving on close only after a change, and the colour chooser's answer.
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "colour_chooser.h"
#include "settings_window.h"

using namespace velmora::ui;

class SettingsWindowTest : public QObject {
  Q_OBJECT

  QTemporaryDir cartella_;
  QWidget* finestra_ = nullptr;
  ControlliAspetto controlli_;
  Impostazioni valori_;

  QString FileImpostazioni() const { return cartella_.filePath(QStringLiteral("_PicConfig.Txt")); }

 private slots:
  void init() {
    QFile::remove(FileImpostazioni());
    Ambiente().elencoDischi = [] { return QStringList{}; };
    Ambiente().cartellaCorrente = [this] { return cartella_.path(); };
    finestra_ = new QWidget;
    controlli_ = ControlliAspetto{};
    controlli_.textBasic = new QPlainTextEdit(finestra_);
    controlli_.textAsm = new QPlainTextEdit(finestra_);
    controlli_.rigaBasic = {new QPushButton(finestra_)};
    controlli_.rigaAsm = {new QPushButton(finestra_)};
    valori_ = Impostazioni{};
    valori_.ColoreCarattereBasic = InteroDaColore(QColor(0, 0, 192));
    valori_.ColoreSfondoBasic = InteroDaColore(QColor(192, 255, 255));
    valori_.ColoreCarattereASM = InteroDaColore(QColor(128, 0, 0));
    valori_.ColoreSfondoASM = InteroDaColore(QColor(224, 224, 224));
    valori_.FontSizeBasic = 14.25f;
    valori_.FontSizeASM = 11;
    valori_.FontBoldASM = 1;
    ApplicaConfigurazione(valori_, controlli_);
  }
  void cleanup() {
    delete finestra_;
    Ambiente() = AmbienteFile{};
  }

  void riempimento() {
    Form3 form(valori_, controlli_);
    QCOMPARE(form.windowTitle(), QStringLiteral("Gestione parametri"));
    const QStringList attesi = {"C00000", "000080", "FFFFC0", "E0E0E0", "14.25", "11"};
    for (int i = 0; i < 6; ++i) QCOMPARE(form.Text1(i)->text(), attesi[i]);
    QVERIFY(!form.Check1(0)->isChecked());
    QVERIFY(form.Check1(1)->isChecked());
    QVERIFY(!form.Modificato());
  }

  // Enter in field i with a text: the value it sets and the editor it changes.
  void invioNelCampo_data() {
    QTest::addColumn<int>("campo");
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QColor>("basicTesto");
    QTest::addColumn<QColor>("asmSfondo");
    QTest::addColumn<double>("sizeBasic");
    QTest::newRow("carattere basic in minuscolo") << 0 << "ff" << QColor(255, 0, 0) << QColor(224, 224, 224) << 14.25;
    QTest::newRow("sfondo asm") << 3 << "0000FF" << QColor(0, 0, 192) << QColor(255, 0, 0) << 14.25;
    QTest::newRow("colore illeggibile") << 0 << "zz" << QColor(0, 0, 192) << QColor(224, 224, 224) << 14.25;
    QTest::newRow("dimensione 12") << 4 << "12" << QColor(0, 0, 192) << QColor(224, 224, 224) << 12.0;
    QTest::newRow("dimensione zero ignorata") << 4 << "0" << QColor(0, 0, 192) << QColor(224, 224, 224) << 14.25;
  }
  void invioNelCampo() {
    QFETCH(int, campo);
    QFETCH(QString, testo);
    QFETCH(QColor, basicTesto);
    QFETCH(QColor, asmSfondo);
    QFETCH(double, sizeBasic);
    Form3 form(valori_, controlli_);
    form.show();
    form.Text1(campo)->setText(testo);
    QTest::keyClick(form.Text1(campo), Qt::Key_Return);
    QVERIFY(form.isVisible());  // Enter never presses "reset" or closes the window
    QVERIFY(form.Modificato());
    QCOMPARE(controlli_.textBasic->palette().color(QPalette::Text), basicTesto);
    QCOMPARE(controlli_.textAsm->palette().color(QPalette::Base), asmSfondo);
    QCOMPARE(controlli_.textBasic->font().pointSizeF(), sizeBasic);
    QCOMPARE(valori_.FontSizeBasic, float(sizeBasic));
    QVERIFY(!QFile::exists(FileImpostazioni()));
    form.close();
    QVERIFY(QFile::exists(FileImpostazioni()));
    QCOMPARE(form.Modificato(), false);
  }

  void chiusuraSenzaModificheNonSalva() {
    Form3 form(valori_, controlli_);
    form.show();
    form.Check1(0)->click();  // bold applies at once but is not a change
    QVERIFY(controlli_.textBasic->font().bold());
    QCOMPARE(valori_.FontBoldBasic, qint16(1));
    form.close();
    QVERIFY(!QFile::exists(FileImpostazioni()));
  }

  void reset() {
    Form3 form(valori_, controlli_);
    form.Text1(2)->setText(QStringLiteral("123456"));
    form.Reset();
    const QStringList attesi = {"000000", "000000", "FFFFC0", "E0E0E0", "10", "10"};
    for (int i = 0; i < 6; ++i) QCOMPARE(form.Text1(i)->text(), attesi[i]);
    QVERIFY(!form.Check1(1)->isChecked());
    QVERIFY(!controlli_.textAsm->font().bold());
    QCOMPARE(controlli_.textAsm->font().pointSizeF(), 10.0);
    QCOMPARE(controlli_.rigaAsm[0]->palette().color(QPalette::Button), QColor(224, 224, 224));
    QVERIFY(!form.Modificato());
    QFile file(FileImpostazioni());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), TestoConfigurazione(valori_));
  }

  // The chooser gets the pair of the field's editor; OK sets both colours,
  // ANNULLA (two empty texts) changes nothing.
  void sceltaColori_data() {
    QTest::addColumn<int>("campo");
    QTest::addColumn<bool>("conferma");
    QTest::newRow("sfondo basic, OK") << 2 << true;
    QTest::newRow("carattere asm, OK") << 1 << true;
    QTest::newRow("sfondo asm, ANNULLA") << 3 << false;
  }
  void sceltaColori() {
    QFETCH(int, campo);
    QFETCH(bool, conferma);
    const bool assembly = campo == 1 || campo == 3;
    Form3 form(valori_, controlli_);
    QStringList ricevuti;
    QTimer::singleShot(0, [&] {
      auto* chooser = qobject_cast<ColourChooser*>(QApplication::activeModalWidget());
      QVERIFY(chooser);
      auto* rgbCarattere = chooser->findChild<QLineEdit*>(QStringLiteral("RGBCarattere"));
      auto* rgbSfondo = chooser->findChild<QLineEdit*>(QStringLiteral("RGBSfondo"));
      ricevuti << rgbCarattere->text() << rgbSfondo->text();
      if (!conferma) {
        chooser->findChild<QPushButton*>(QStringLiteral("BTNAnnulla"))->click();
        return;
      }
      rgbCarattere->setText(QStringLiteral("010203"));
      rgbSfondo->setText(QStringLiteral("0a0b0c"));
      chooser->findChild<QPushButton*>(QStringLiteral("BTNOK"))->click();
    });
    form.show();
    QTest::mouseDClick(form.Text1(campo), Qt::LeftButton);
    const QString carattere = form.Text1(assembly ? 1 : 0)->text();
    const QString sfondo = form.Text1(assembly ? 3 : 2)->text();
    const QStringList attesi = assembly ? QStringList{"000080", "E0E0E0"} : QStringList{"C00000", "FFFFC0"};
    QCOMPARE(ricevuti, attesi);
    QPlainTextEdit* editor = assembly ? controlli_.textAsm : controlli_.textBasic;
    if (!conferma) {
      QCOMPARE(carattere, QStringLiteral("000080"));
      QCOMPARE(editor->palette().color(QPalette::Base), QColor(224, 224, 224));
      QVERIFY(!form.Modificato());
      return;
    }
    QVERIFY(form.Modificato());
    QCOMPARE(carattere, QStringLiteral("010203"));
    QCOMPARE(sfondo, QStringLiteral("0a0b0c"));
    QCOMPARE(editor->palette().color(QPalette::Text), QColor(0x03, 0x02, 0x01));
    QCOMPARE(editor->palette().color(QPalette::Base), QColor(0x0C, 0x0B, 0x0A));
  }
};

QTEST_MAIN(SettingsWindowTest)
#include "settings_window_test.moc"
