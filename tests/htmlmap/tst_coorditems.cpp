#include "CoordItems.h"

#include <QTest>

class TestCoordItems : public QObject
{
    Q_OBJECT

private slots:
    void split_data();
    void split();
    void wholeNumbers_data();
    void wholeNumbers();
    void readItemErrors_data();
    void readItemErrors();
};

void TestCoordItems::split_data()
{
    QTest::addColumn<QString>("coords");
    QTest::addColumn<QStringList>("items");
    using L = QStringList;
    QTest::newRow("commas") << "10,20,30,40" << L{"10", "20", "30", "40"};
    QTest::newRow("comma and blank") << "10, 20, 30, 40" << L{"10", "20", "30", "40"};
    QTest::newRow("blanks only") << "10 20 30 40" << L{"10", "20", "30", "40"};
    QTest::newRow("trailing comma") << "10,20,30,40," << L{"10", "20", "30", "40", ""};
    QTest::newRow("trailing comma and blanks") << "10,20,30,40,  " << L{"10", "20", "30", "40"};
    QTest::newRow("blanks around comma") << "10 , 20" << L{"10", "20"};
    QTest::newRow("leading blanks") << "   \t10,20" << L{"10", "20"};
    QTest::newRow("trailing blanks") << "10,20  \n" << L{"10", "20"};
    QTest::newRow("leading comma") << ",10" << L{"", "10"};
    QTest::newRow("leading blanks then comma") << "  ,10" << L{"", "10"};
    QTest::newRow("double comma") << "10,,20" << L{"10", "", "20"};
    QTest::newRow("comma blanks comma") << "10, ,20" << L{"10", "", "20"};
    QTest::newRow("two commas only") << ",," << L{"", "", ""};
    QTest::newRow("single comma") << "," << L{"", ""};
    QTest::newRow("empty") << "" << L{};
    QTest::newRow("blank") << "  " << L{};
    QTest::newRow("control characters separate") << QString("1\x01"
                                                            "2\x1f"
                                                            "3")
                                                 << L{"1", "2", "3"};
    QTest::newRow("tabs and newlines") << "1\t2\n3\r\n4" << L{"1", "2", "3", "4"};
    QTest::newRow("non-breaking space belongs to item")
        << QString("1") + QChar(0xA0) + "2" << L{QString("1") + QChar(0xA0) + "2"};
    QTest::newRow("units stay in the item") << "10px,20" << L{"10px", "20"};
    QTest::newRow("semicolon is no separator") << "1;2" << L{"1;2"};
    QTest::newRow("quoted") << "\"10\",\"20\"" << L{"10", "20"};
    QTest::newRow("quoted with blanks and comma") << "\"1, 2\",3" << L{"1, 2", "3"};
    QTest::newRow("doubled quote") << "\"a\"\"b\",1" << L{"a\"b", "1"};
    QTest::newRow("empty quoted") << "\"\",1" << L{"", "1"};
    QTest::newRow("text right after closing quote starts an item") << "\"1\"2,3" << L{"1", "2", "3"};
    QTest::newRow("unclosed quote runs to the end") << "1,\"2 3" << L{"1", "2 3"};
    QTest::newRow("quote inside item is plain") << "1\"2" << L{"1\"2"};
}

void TestCoordItems::split()
{
    QFETCH(QString, coords);
    QFETCH(QStringList, items);
    QCOMPARE(SplitCoordItems(coords), items);
    // The import's copy-free reading gives the same items.
    const CoordItemViews views(coords);
    QStringList viewed;
    for (int i = 0; i < views.size(); ++i)
        viewed.append(views[i].toString());
    QCOMPARE(viewed, items);
}

void TestCoordItems::wholeNumbers_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("value");
    QTest::newRow("zero") << "0" << true << 0;
    QTest::newRow("decimal") << "123" << true << 123;
    QTest::newRow("leading zeros") << "007" << true << 7;
    QTest::newRow("plus") << "+5" << true << 5;
    QTest::newRow("minus") << "-5" << true << -5;
    QTest::newRow("dollar hex") << "$1F" << true << 31;
    QTest::newRow("x hex") << "xff" << true << 255;
    QTest::newRow("X hex") << "XFF" << true << 255;
    QTest::newRow("0x hex") << "0x10" << true << 16;
    QTest::newRow("0X hex") << "0XaB" << true << 171;
    QTest::newRow("minus hex") << "-$10" << true << -16;
    QTest::newRow("max") << "2147483647" << true << 2147483647;
    QTest::newRow("min") << "-2147483648" << true << int(-2147483647 - 1);
    QTest::newRow("max hex") << "$7FFFFFFF" << true << 2147483647;
    QTest::newRow("min hex") << "-$80000000" << true << int(-2147483647 - 1);
    QTest::newRow("above max") << "2147483648" << false << 0;
    QTest::newRow("below min") << "-2147483649" << false << 0;
    QTest::newRow("hex above max") << "$80000000" << false << 0;
    QTest::newRow("hex all ones") << "$FFFFFFFF" << false << 0;
    QTest::newRow("huge") << "99999999999999999999999" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("sign only") << "-" << false << 0;
    QTest::newRow("dollar only") << "$" << false << 0;
    QTest::newRow("0x only") << "0x" << false << 0;
    QTest::newRow("fraction") << "1.5" << false << 0;
    QTest::newRow("unit") << "10px" << false << 0;
    QTest::newRow("percent") << "50%" << false << 0;
    QTest::newRow("hex digit without prefix") << "1F" << false << 0;
    QTest::newRow("two signs") << "+-1" << false << 0;
    QTest::newRow("inner blank") << "1 2" << false << 0;
    QTest::newRow("leading blank") << " 1" << false << 0;
    QTest::newRow("arabic-indic digit") << QString(QChar(0x0661)) << false << 0;
    QTest::newRow("fullwidth digit") << QString(QChar(0xFF11)) << false << 0;
}

void TestCoordItems::wholeNumbers()
{
    QFETCH(QString, item);
    QFETCH(bool, valid);
    QFETCH(int, value);
    int parsed = 12345;
    QCOMPARE(ParseWholeNumber(item, &parsed), valid);
    if (valid)
        QCOMPARE(parsed, value);
}

void TestCoordItems::readItemErrors_data()
{
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing") << QStringList{"1", "2", "3"} << 3 << "List index out of bounds (3)";
    QTest::newRow("none") << QStringList{} << 0 << "List index out of bounds (0)";
    QTest::newRow("empty item") << QStringList{""} << 0 << "'' is not a valid integer value";
    QTest::newRow("unit") << QStringList{"1", "2px"} << 1 << "'2px' is not a valid integer value";
    QTest::newRow("percent sign in item") << QStringList{"%1"} << 0 << "'%1' is not a valid integer value";
    QTest::newRow("fine") << QStringList{"4"} << 0 << "";
}

void TestCoordItems::readItemErrors()
{
    QFETCH(QStringList, items);
    QFETCH(int, index);
    QFETCH(QString, message);
    int value = 0;
    QString error;
    QCOMPARE(ReadCoordItem(items, index, &value, &error), message.isEmpty());
    QCOMPARE(error, message);
}

QTEST_APPLESS_MAIN(TestCoordItems)
#include "tst_coorditems.moc"
