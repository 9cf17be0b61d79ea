// The texts of the HTML formatting commands, the form builder and the form
// element builders, the form check and the insertions into a new form.

#include "wizards/formbuilder.h"
#include "wizards/formelements.h"
#include "wizards/formplacement.h"
#include "wizards/formselect.h"
#include "wizards/formtextarea.h"
#include "wizards/htmlformat.h"

#include <QTest>

Q_DECLARE_METATYPE(FormOptions)
Q_DECLARE_METATYPE(SelectListOptions)
Q_DECLARE_METATYPE(TextareaOptions)
Q_DECLARE_METATYPE(FormElementOptions)
Q_DECLARE_METATYPE(PlacedText)

class TestFormBuilders : public QObject {
    Q_OBJECT

private slots:
    void formatTags_knownTagsOnly()
    {
        QCOMPARE(htmlFormatTags(7)->opening, QStringLiteral("<P ALIGN=\"RIGHT\">"));
        QCOMPARE(htmlFormatTags(7)->closing, QStringLiteral("</P>"));
        QCOMPARE(htmlFormatTags(4)->closing, QStringLiteral("</STRIKE>"));
        QVERIFY(!htmlFormatTags(0));
        QVERIFY(!htmlFormatTags(9));
    }

    void formOpeningTag_data()
    {
        QTest::addColumn<FormOptions>("options");
        QTest::addColumn<QString>("tag");
        QTest::newRow("defaults") << FormOptions{} << QStringLiteral("<FORM >");
        QTest::newRow("action, default method")
            << FormOptions{QStringLiteral("x.cgi")} << QStringLiteral("<FORM ACTION=\"x.cgi\" METHOD=\"POST\" >");
        QTest::newRow("method without action is dropped")
            << FormOptions{{}, QStringLiteral("GET")} << QStringLiteral("<FORM >");
        QTest::newRow("target only")
            << FormOptions{{}, QStringLiteral("POST"), {}, QStringLiteral("_blank")}
            << QStringLiteral("<FORM TARGET=\"_blank\" >");
        QTest::newRow("typed encoding")
            << FormOptions{{}, QStringLiteral("POST"), QStringLiteral("text/x-mine")}
            << QStringLiteral("<FORM ENCTYPE=\"text/x-mine\" >");
        QTest::newRow("all in order, unescaped")
            << FormOptions{QStringLiteral("mailto:a@b.c?s=\"x\""), QStringLiteral("GET"),
                           QStringLiteral("text/plain"), QStringLiteral("_top")}
            << QStringLiteral("<FORM ACTION=\"mailto:a@b.c?s=\"x\"\" METHOD=\"GET\" ENCTYPE=\"text/plain\" "
                              "TARGET=\"_top\" >");
    }
    void formOpeningTag()
    {
        QFETCH(FormOptions, options);
        QFETCH(QString, tag);
        QCOMPARE(::formOpeningTag(options), tag);
    }

    void selectList_data()
    {
        QTest::addColumn<SelectListOptions>("options");
        QTest::addColumn<QString>("lines");
        QTest::newRow("Red with value, Blue without")
            << SelectListOptions{QStringLiteral("c"), 1, false,
                                 {selectListEntry(QStringLiteral("Red"), QStringLiteral("r")),
                                  selectListEntry(QStringLiteral("Blue"), {})}}
            << QStringLiteral("<SELECT NAME=\"c\" SIZE=\"1\">\r\n"
                              "    <OPTION VALUE=\"r\">Red</OPTION>\r\n"
                              "    <OPTION>Blue</OPTION>\r\n"
                              "</SELECT>\r\n");
        QTest::newRow("empty list, no name, multiple")
            << SelectListOptions{{}, 8, true, {}}
            << QStringLiteral("<SELECT SIZE=\"8\" MULTIPLE>\r\n</SELECT>\r\n");
        QTest::newRow("value after the first separator")
            << SelectListOptions{{}, 3, false, {QStringLiteral("a :V=b :V=c")}}
            << QStringLiteral("<SELECT SIZE=\"3\">\r\n    <OPTION VALUE=\"b :V=c\">a</OPTION>\r\n</SELECT>\r\n");
        QTest::newRow("percent signs stay as typed")
            << SelectListOptions{QStringLiteral("%1"), 2, false, {QStringLiteral("%2 :V=%1")}}
            << QStringLiteral("<SELECT NAME=\"%1\" SIZE=\"2\">\r\n    <OPTION VALUE=\"%1\">%2</OPTION>\r\n"
                              "</SELECT>\r\n");
    }
    void selectList()
    {
        QFETCH(SelectListOptions, options);
        QFETCH(QString, lines);
        QCOMPARE(buildSelectList(options), lines);
    }

    void selectEntries_editing()
    {
        QCOMPARE(selectListEntry({}, QStringLiteral("v")), QString());
        QCOMPARE(selectListEntry(QStringLiteral("Red"), QStringLiteral("r")), QStringLiteral("Red :V=r"));

        QStringList entries{QStringLiteral("beta"), QStringLiteral("Alpha"), QStringLiteral("alpha :V=2"),
                            QStringLiteral("Gamma")};
        sortSelectEntries(entries);
        QCOMPARE(entries, (QStringList{QStringLiteral("Alpha"), QStringLiteral("alpha :V=2"), QStringLiteral("beta"),
                                       QStringLiteral("Gamma")}));

        QCOMPARE(moveSelectEntry(entries, 0, -1), 0);
        QCOMPARE(moveSelectEntry(entries, 3, +1), 3);
        QCOMPARE(moveSelectEntry(entries, -1, +1), -1);
        QCOMPARE(moveSelectEntry(entries, 2, -1), 1);
        QCOMPARE(entries.at(1), QStringLiteral("beta"));
        QCOMPARE(moveSelectEntry(entries, 1, +1), 2);
        QCOMPARE(entries.at(2), QStringLiteral("beta"));
    }

    void textarea_data()
    {
        QTest::addColumn<TextareaOptions>("options");
        QTest::addColumn<QString>("opening");
        QTest::newRow("defaults") << TextareaOptions{} << QStringLiteral("<TEXTAREA>");
        QTest::newRow("everything")
            << TextareaOptions{QStringLiteral("t"), 40, 6, TextareaWrap::Physical,
                               QStringLiteral("one\r\ntwo")}
            << QStringLiteral("<TEXTAREA NAME=\"t\" COLS=\"40\" ROWS=\"6\" WRAP=\"PHYSICAL\">one\r\ntwo");
        QTest::newRow("rows only, wrap off")
            << TextareaOptions{{}, 0, 2, TextareaWrap::Off, {}}
            << QStringLiteral("<TEXTAREA ROWS=\"2\" WRAP=\"OFF\">");
    }
    void textarea()
    {
        QFETCH(TextareaOptions, options);
        QFETCH(QString, opening);
        QCOMPARE(buildTextareaOpening(options), opening);
    }

    void formElement_data()
    {
        QTest::addColumn<FormElementOptions>("options");
        QTest::addColumn<QString>("element");

        const auto element = [](FormElementKind kind) {
            FormElementOptions options;
            options.kind = kind;
            return options;
        };
        QTest::newRow("text, defaults") << element(FormElementKind::Text) << QStringLiteral("<INPUT TYPE=\"TEXT\">");

        FormElementOptions hidden = element(FormElementKind::Hidden);
        hidden.name = QStringLiteral("id");
        hidden.value = QStringLiteral("7");
        hidden.tabHandling = false;
        hidden.align = ElementAlign::Left;
        hidden.size = 5;
        QTest::newRow("hidden drops NOTAB, ALIGN and SIZE")
            << hidden << QStringLiteral("<INPUT TYPE=\"HIDDEN\" NAME=\"id\" VALUE=\"7\">");

        FormElementOptions image = element(FormElementKind::Image);
        image.size = 10;
        image.align = ElementAlign::Top;
        image.checked = true;
        image.imageUrl = QStringLiteral("go.png");
        QTest::newRow("image with size and source")
            << image << QStringLiteral("<INPUT TYPE=\"IMAGE\" SIZE=\"10\" SRC=\"go.png\">");

        FormElementOptions password = element(FormElementKind::Password);
        password.size = 8;
        password.maxLength = 12;
        password.align = ElementAlign::Middle;
        password.tabHandling = false;
        password.checked = true;
        password.imageUrl = QStringLiteral("x.png");
        QTest::newRow("password, every attribute it takes")
            << password
            << QStringLiteral("<INPUT TYPE=\"PASSWORD\" SIZE=\"8\" MAXLENGTH=\"12\" ALIGN=\"MIDDLE\" NOTAB>");

        FormElementOptions radio = element(FormElementKind::Radio);
        radio.checked = true;
        radio.size = 3;
        radio.align = ElementAlign::Right;
        QTest::newRow("radio checked, no size")
            << radio << QStringLiteral("<INPUT TYPE=\"RADIO\" ALIGN=\"RIGHT\" CHECKED>");

        FormElementOptions submit = element(FormElementKind::Submit);
        submit.value = QStringLiteral("Send");
        submit.hotkey = true;
        submit.key = QStringLiteral("S");
        QTest::newRow("submit with hotkey")
            << submit << QStringLiteral("<INPUT TYPE=\"SUBMIT\" VALUE=\"Send\" ACCESSKEY=\"S\">");

        FormElementOptions hotkeyOff = submit;
        hotkeyOff.hotkey = false;
        QTest::newRow("key chosen, hotkey off") << hotkeyOff << QStringLiteral("<INPUT TYPE=\"SUBMIT\" VALUE=\"Send\">");
        FormElementOptions noKey = submit;
        noKey.key.clear();
        QTest::newRow("hotkey on, no key") << noKey << QStringLiteral("<INPUT TYPE=\"SUBMIT\" VALUE=\"Send\">");

        FormElementOptions none = submit;
        none.kind.reset();
        QTest::newRow("no kind chosen") << none << QString();
    }
    void formElement()
    {
        QFETCH(FormElementOptions, options);
        QFETCH(QString, element);
        QCOMPARE(buildFormElement(options), element);
    }

    void formElementKinds_listOrderMatchesTheKinds()
    {
        const auto kinds = formElementKinds();
        QCOMPARE(kinds.size(), std::size_t(10));
        for (std::size_t i = 0; i < kinds.size(); ++i)
            QCOMPARE(int(kinds[i].kind), int(i));
        QCOMPARE(formElementFields(FormElementKind::Hidden), 0);
        QCOMPARE(formElementFields(std::nullopt), int(AllFormElementFields));
        QCOMPARE(accessKeyItems().size(), 36);
        QCOMPARE(accessKeyItems().at(26), QStringLiteral("0"));
    }

    void insideForm_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("line");
        QTest::addColumn<bool>("inside");
        QTest::newRow("empty document") << QString() << 0 << false;
        QTest::newRow("below a closed form")
            << QStringLiteral("<FORM ACTION=\"a\">\r\n</FORM>\r\nhere") << 2 << false;
        QTest::newRow("inside a form with attributes")
            << QStringLiteral("<FORM METHOD=\"GET\">\r\n\r\nhere\r\n") << 2 << true;
        QTest::newRow("lower-case tags are not seen")
            << QStringLiteral("<form action=\"a\">\r\nhere\r\n</form>") << 1 << false;
        QTest::newRow("bare opening tag, closing tag below")
            << QStringLiteral("<FORM>\r\nhere\r\n</FORM>") << 1 << true;
        QTest::newRow("bare opening tag, nothing below") << QStringLiteral("<FORM>\r\nhere") << 1 << false;
        QTest::newRow("next form starts below")
            << QStringLiteral("here\r\n<FORM NAME=\"f\">\r\n</FORM>") << 0 << false;
        QTest::newRow("closing tag on the caret's line wins over an opening one")
            << QStringLiteral("<FORM NAME=\"f\"></FORM> here") << 0 << false;
        QTest::newRow("lone LF line breaks")
            << QStringLiteral("<FORM NAME=\"f\">\nhere\n</FORM>") << 1 << true;
    }
    void insideForm()
    {
        QFETCH(QString, text);
        QFETCH(int, line);
        QFETCH(bool, inside);
        QCOMPARE(::insideForm(text, line), inside);
    }

    void placements_data()
    {
        const QString tag = QStringLiteral("<FORM >");
        const QString lines = QStringLiteral("<SELECT SIZE=\"8\">\r\n</SELECT>\r\n");
        QTest::addColumn<PlacedText>("placed");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<int>("selectFrom");

        QTest::newRow("form with two lines of contents")
            << formWithContents(tag, QStringLiteral("a\r\nb")) << QStringLiteral("<FORM >\r\na\r\nb\r\n</FORM>")
            << QString() << 19;
        QTest::newRow("select list alone") << selectListAlone(lines) << lines << lines << 0;
        QTest::newRow("select list in a form")
            << selectListInForm(tag, lines) << tag + QStringLiteral("\r\n") + lines + QStringLiteral("\r\n</FORM>")
            << lines << 8;
        QTest::newRow("textarea in a form")
            << textareaInForm(tag, QStringLiteral("<TEXTAREA>hi\r\nyou"))
            << QStringLiteral("<FORM >\r\n<TEXTAREA>hi\r\nyou</TEXTAREA>\r\n</FORM>") << QString() << 24;
        QTest::newRow("element in a form")
            << elementInForm(tag, QStringLiteral("<INPUT TYPE=\"TEXT\">"))
            << QStringLiteral("<FORM >\r\n<INPUT TYPE=\"TEXT\">\r\n</FORM>") << QStringLiteral("<INPUT TYPE=\"TEXT\">")
            << 8;
    }
    void placements()
    {
        QFETCH(PlacedText, placed);
        QFETCH(QString, text);
        QFETCH(QString, selected);
        QFETCH(int, selectFrom);
        QCOMPARE(placed.text, text);
        QCOMPARE(placed.selectFrom, selectFrom);
        // Positions count a line break as one: map them onto the text.
        QString flat = placed.text;
        flat.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        QString expected = selected;
        expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        QCOMPARE(flat.mid(placed.selectFrom, placed.selectLength), expected);
    }
};

QTEST_APPLESS_MAIN(TestFormBuilders)
#include "tst_formbuilders.moc"
