// The program's own windows-1251 table: the same characters as the platform's converter where
// there is one, every defined byte back to itself, and what has no byte refused or replaced.
#include <QStringDecoder>
#include <QtTest>

#include "core/code_page_1251.h"

class TestCodePage1251 : public QObject {
  Q_OBJECT

 private slots:
  // Registers written before read the same: every byte gives the character the platform's
  // converter gave (ICU's, on this machine), and each defined character gives its byte back.
  void everyByteAsThePlatformReadsIt() {
    QByteArray all(256, '\0');
    for (int b = 0; b < 256; ++b) all[b] = static_cast<char>(b);
    QStringDecoder platform("windows-1251");
    if (!platform.isValid()) QSKIP("this Qt has no windows-1251 converter to compare with");
    const QString expected = platform.decode(all);
    QCOMPARE(expected.size(), 256);
    const QString ours = FromCp1251(all);
    for (int b = 0; b < 256; ++b) {
      const char16_t character = Cp1251Character(static_cast<unsigned char>(b));
      QCOMPARE(ours.at(b).unicode(), character);
      QVERIFY2(character == expected.at(b).unicode(),
               qPrintable(QStringLiteral("%1: %2").arg(b, 0, 16).arg(int(expected.at(b).unicode()), 0, 16)));
      QCOMPARE(Cp1251Byte(character), std::optional<char>(static_cast<char>(b)));
    }
  }

  void charactersWithoutAByte() {
    QCOMPARE(FromCp1251(QByteArray("\xC0\xE1\xE2 \xB9 \x88")), QStringLiteral("Абв № €"));
    QCOMPARE(Cp1251Byte(u'\uFFFD'), std::nullopt);
    QCOMPARE(Cp1251Byte(u'ő'), std::nullopt);
    QCOMPARE(Cp1251Byte(u'Ѐ'), std::nullopt);       // Cyrillic, but not in this code page
    QCOMPARE(ToCp1251Replacing(QStringLiteral("Иван ő 😀 €")), QByteArray("\xC8\xE2\xE0\xED ? ? \x88"));
  }
};

QTEST_MAIN(TestCodePage1251)
#include "test_code_page_1251.moc"
