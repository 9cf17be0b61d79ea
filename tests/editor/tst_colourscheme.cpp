// The editors' dark looks, made from the user's styles.

#include "editor/colourscheme.h"

#include <QTest>

namespace S = SchemeStyle;

namespace {

// Every style's text against the paper it is drawn on; the worst pair.
double leastContrast(const EditorSettings &settings, QString *worst)
{
    double least = 21;
    for (const StyleLook &look : settings.styles) {
        const double ratio =
            contrastRatio(settings.effectiveForeground(look.id), settings.effectiveBackground(look.id));
        if (ratio < least) {
            least = ratio;
            *worst = QStringLiteral("%1: %2 on %3")
                         .arg(look.name)
                         .arg(settings.effectiveForeground(look.id), 6, 16, QChar(u'0'))
                         .arg(settings.effectiveBackground(look.id), 6, 16, QChar(u'0'));
        }
    }
    return least;
}

}  // namespace

class TestColourScheme : public QObject {
    Q_OBJECT

private slots:
    void contrastRatio_knownPairs_data()
    {
        QTest::addColumn<uint>("first");
        QTest::addColumn<uint>("second");
        QTest::addColumn<double>("ratio");
        QTest::newRow("black on white") << 0x000000u << 0xFFFFFFu << 21.0;
        QTest::newRow("the same") << 0x336699u << 0x336699u << 1.0;
        QTest::newRow("order does not matter") << 0xFFFFFFu << 0x000000u << 21.0;
        QTest::newRow("grey 128 on white") << 0x808080u << 0xFFFFFFu << 3.95;
        QTest::newRow("pure blue on black") << 0x0000FFu << 0x000000u << 2.44;
    }

    void contrastRatio_knownPairs()
    {
        QFETCH(uint, first);
        QFETCH(uint, second);
        QFETCH(double, ratio);
        QVERIFY2(qAbs(contrastRatio(first, second) - ratio) < 0.01,
                 qPrintable(QString::number(contrastRatio(first, second))));
    }

    // Every style reads on the dark paper: the built-in ones, ones the user
    // made unreadable on purpose, and one given a paper of its own.
    void darkVariant_everyStyleReads_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("built-in") << 0;
        QTest::newRow("text the colour of the paper") << 1;
        QTest::newRow("light paper of its own, default text") << 2;
        QTest::newRow("mid greys") << 3;
        QTest::newRow("a dark paper chosen by the user") << 4;
    }

    void darkVariant_everyStyleReads()
    {
        QFETCH(int, kind);
        EditorSettings settings = defaultEditorSettings();
        for (StyleLook &look : settings.styles) {
            switch (kind) {
            case 1:
                look.foreground = look.background;
                break;
            case 2:
                look.background = 0xFFFFC0;
                look.backgroundAsDefault = false;
                look.foregroundAsDefault = true;
                break;
            case 3:
                look.foreground = 0x777777 + std::uint32_t(look.id) * 0x010101;
                look.background = 0x888888;
                break;
            case 4:
                look.background = 0x202040;
                look.foreground = 0x000080;
                break;
            default:
                break;
            }
        }
        const EditorSettings dark = drawnSettings(settings, true);
        QString worst;
        const double least = leastContrast(dark, &worst);
        QVERIFY2(least >= kDarkContrast, qPrintable(QStringLiteral("%1 (%2)").arg(least).arg(worst)));
        // The paper is dark: its text is the light one.
        QVERIFY(contrastRatio(dark.effectiveBackground(S::Default), 0x000000) <
                contrastRatio(dark.effectiveBackground(S::Default), 0xFFFFFF));
        QCOMPARE(dark.styles.size(), settings.styles.size());
    }

    // A colour that reads well on the dark paper is the user's own choice and
    // stays; one too dark turns light in its own hue.
    void darkVariant_keepsReadableColours_andLightensDarkOnes()
    {
        EditorSettings settings = defaultEditorSettings();
        settings.style(S::String)->foreground = 0xFFD700;  // gold, chosen by the user
        const EditorSettings dark = drawnSettings(settings, true);
        QCOMPARE(dark.style(S::String)->foreground, 0xFFD700u);
        // Navy tag names become a light blue: blue the strongest channel.
        const std::uint32_t tag = dark.style(S::TagName)->foreground;
        QVERIFY((tag & 0xFF) > ((tag >> 16) & 0xFF) && (tag & 0xFF) > 0xC0);
        // Names, attributes and keys are the user's as they were.
        QCOMPARE(dark.style(S::TagName)->attribute, FontAttribute::Bold);
        QCOMPARE(dark.keys, settings.keys);
        // The light scheme is the settings as they are.
        QVERIFY(drawnSettings(settings, false) == settings);
    }

    void drawsDark_followsTheChoiceOrTheWindow_data()
    {
        QTest::addColumn<int>("scheme");
        QTest::addColumn<int>("windowLightness");
        QTest::addColumn<bool>("dark");
        QTest::newRow("follow, light window") << int(ColourScheme::FollowDesktop) << 239 << false;
        QTest::newRow("follow, dark window") << int(ColourScheme::FollowDesktop) << 49 << true;
        QTest::newRow("follow, just light") << int(ColourScheme::FollowDesktop) << 128 << false;
        QTest::newRow("light, dark window") << int(ColourScheme::Light) << 49 << false;
        QTest::newRow("dark, light window") << int(ColourScheme::Dark) << 239 << true;
    }

    void drawsDark_followsTheChoiceOrTheWindow()
    {
        QFETCH(int, scheme);
        QFETCH(int, windowLightness);
        QFETCH(bool, dark);
        QCOMPARE(drawsDark(ColourScheme(scheme), windowLightness), dark);
    }
};

QTEST_GUILESS_MAIN(TestColourScheme)
#include "tst_colourscheme.moc"
