#include <QSet>
#include <QTest>

#include "split/partnaming.h"

using namespace pw::split;

class TestPartNaming : public QObject {
    Q_OBJECT

    static PartNameInput report(int j, int first, int last) {
        return {QStringLiteral("/docs/"),
                QStringLiteral("Report"),
                QStringLiteral(".docx"),
                j,
                first,
                last,
                {}};
    }

private slots:
    void rules_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("characters");  // of the part, for the first-characters rule
        QTest::addColumn<QString>("expected");    // the second part's name
        QTest::newRow("page range") << int(NamingMode::PageRange) << ""
                                    << "/docs/Report4页-6页.docx";
        QTest::newRow("part number") << int(NamingMode::PartNumber) << ""
                                     << "/docs/Report2.docx";
        QTest::newRow("first characters")
            << int(NamingMode::FirstCharacters) << "第一章 总则\r正文\r"
            << "/docs/第一章总则.docx";
        QTest::newRow("no characters") << int(NamingMode::FirstCharacters) << "   \r"
                                       << "/docs/.docx";
        QTest::newRow("sequence") << int(NamingMode::Sequence) << ""
                                  << "/docs/2.docx";
        QTest::newRow("padded") << int(NamingMode::PaddedSequence) << ""
                                << "/docs/0002.docx";
    }
    // Two parts in a row: only the sequence rules move the counter.
    void rules() {
        QFETCH(int, mode);
        QFETCH(QString, characters);
        QFETCH(QString, expected);
        const NamingRule naming{NamingMode(mode), 5, 4};
        qint64 seq = 1;
        (void)partName(naming, report(1, 1, 3), seq);
        PartNameInput second = report(2, 4, 6);
        second.characters = characters;
        QCOMPARE(partName(naming, second, seq), expected);
        const bool counted =
            mode == int(NamingMode::Sequence) || mode == int(NamingMode::PaddedSequence);
        QCOMPARE(seq, counted ? 3 : 1);
    }

    void paddedSequenceGoesPastItsDigits() {
        qint64 seq = 1;
        QStringList names;
        for (int i = 0; i < 120; ++i)
            names << partName({NamingMode::PaddedSequence, 20, 2}, report(1, 1, 1), seq);
        QCOMPARE(names.first(), QStringLiteral("/docs/01.docx"));
        QCOMPARE(names.at(98), QStringLiteral("/docs/99.docx"));
        QCOMPARE(names.at(99), QStringLiteral("/docs/100.docx"));
        QCOMPARE(names.last(), QStringLiteral("/docs/120.docx"));
    }

    void collectedCharacters_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("expected");
        QTest::newRow("blanks and slash skipped") << QStringLiteral("  A/B C\r") << 3 << "ABC";
        QTest::newRow("stops at count") << QStringLiteral("abcdef\r") << 2 << "ab";
        QTest::newRow("final mark never examined") << QStringLiteral("ab\r") << 9 << "ab";
        QTest::newRow("across paragraphs") << QStringLiteral("a\rb\tc\r") << 9 << "abc";
        QTest::newRow("nothing acceptable") << QStringLiteral(" \t\r\r") << 5 << "";
        QTest::newRow("all thirteen refused")
            << QStringLiteral("\\/;*?\"<>|\r\n\t x\r") << 5 << "x";
        QTest::newRow("full-width refused")
            << QStringLiteral("\u3000\uFF1Fz\uFF0Fy\r") << 5 << "zy";
        QTest::newRow("colon passes") << QStringLiteral("a:b\r") << 5 << "a:b";
        QTest::newRow("surrogate pair is one character")
            << QStringLiteral("\U0001F600ab\r") << 2 << QStringLiteral("\U0001F600a");
    }
    void collectedCharacters() {
        QFETCH(QString, text);
        QFETCH(int, count);
        QFETCH(QString, expected);
        QCOMPARE(pw::split::collectedCharacters(text, count), expected);
    }

    void counterWorkedIntoName_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("expected");
        QTest::newRow("docx") << "/out/X.docx" << 2 << "/out/X(2).docx";
        QTest::newRow("upper case DOC") << "/out/X.DOC" << 2 << "/out/X(2).doc";
        QTest::newRow("grows") << "/out/1(2).doc" << 3 << "/out/1(2)(3).doc";
        QTest::newRow("folder with .doc left alone")
            << "/d/my.docs/R.docx" << 2 << "/d/my.docs/R(2).docx";
        QTest::newRow("rtf before extension") << "/out/R.rtf" << 2 << "/out/R(2).rtf";
        QTest::newRow("no extension") << "/out/R" << 2 << "/out/R(2)";
        QTest::newRow("name only extension") << "/out/.docx" << 2 << "/out/(2).docx";
    }
    void counterWorkedIntoName() {
        QFETCH(QString, path);
        QFETCH(int, n);
        QFETCH(QString, expected);
        QCOMPARE(withCounter(path, n), expected);
    }

    void freeNameSkipsTakenNames() {
        QSet<QString> taken{"/out/1.doc", "/out/1(2).doc", "/out/R.rtf"};
        const NameTaken isTaken = [&](const QString& p) { return taken.contains(p); };
        QCOMPARE(freeName("/out/1.doc", isTaken), QStringLiteral("/out/1(2)(3).doc"));
        QCOMPARE(freeName("/out/2.doc", isTaken), QStringLiteral("/out/2.doc"));
        QCOMPARE(freeName("/out/R.rtf", isTaken), QStringLiteral("/out/R(2).rtf"));
        // Ends even when every name is taken.
        const QString last =
            freeName("/out/R.rtf", [](const QString& p) { return p.size() < 400; });
        QVERIFY(last.size() >= 400);
    }

    void lengthLimit() {
        QVERIFY(!nameTooLong(QString(254, u'a')));
        QVERIFY(nameTooLong(QString(255, u'a')));
    }
};

QTEST_APPLESS_MAIN(TestPartNaming)
#include "tst_partnaming.moc"
