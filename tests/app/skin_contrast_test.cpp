// Every skin keeps text readable: the colours its style sheet gives text
// and the backgrounds behind it differ by at least 4.5 : 1 (relative
// luminance contrast); the controls the skins once hid are checked as drawn.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTableWidget>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>
#include <cmath>
#include <functional>
#include <map>
#include <optional>

#include "app/BirthDataDialog.h"
#include "app/IndexPartsChart.h"
#include "app/IndexPartsDialog.h"
#include "app/MainWindow.h"
#include "app/SkinEngine.h"
#include "app/UsefulGodDialog.h"
#include "app_test_util.h"

namespace tessaly {
namespace {

using apptest::ScriptedMessages;
using apptest::TempHome;

double Luminance(const QColor& c) {
    auto lin = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * lin(c.redF()) + 0.7152 * lin(c.greenF()) + 0.0722 * lin(c.blueF());
}

double Contrast(const QColor& a, const QColor& b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// One rule of a sheet for one selector: its text colour, the colours of its
// background (every stop of a gradient) and of its selection.
struct SheetRule {
    std::optional<QColor> color;
    std::vector<QColor> background;
    bool transparent = false;
    std::optional<QColor> selectionColor;
    std::vector<QColor> selectionBackground;
};

std::vector<QColor> ColoursIn(const QString& value) {
    std::vector<QColor> out;
    static const QRegularExpression hex(QStringLiteral("#[0-9a-fA-F]{6}\\b|#[0-9a-fA-F]{3}\\b"));
    for (auto it = hex.globalMatch(value); it.hasNext();) out.emplace_back(it.next().captured());
    if (out.empty()) {
        const QColor named(value.trimmed());
        if (named.isValid()) out.push_back(named);
    }
    return out;
}

std::map<QString, SheetRule> ParseSheet(QString sheet) {
    sheet.remove(QRegularExpression(QStringLiteral("/\\*.*?\\*/"), QRegularExpression::DotMatchesEverythingOption));
    std::map<QString, SheetRule> rules;
    static const QRegularExpression rule(QStringLiteral("([^{}]+)\\{([^}]*)\\}"));
    for (auto it = rule.globalMatch(sheet); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        SheetRule r;
        for (const QString& decl : m.captured(2).split(u';', Qt::SkipEmptyParts)) {
            const qsizetype colon = decl.indexOf(u':');
            if (colon < 0) continue;
            const QString prop = decl.left(colon).trimmed();
            const QString value = decl.mid(colon + 1).trimmed();
            if (prop == QLatin1String("color")) {
                const auto c = ColoursIn(value);
                if (!c.empty()) r.color = c.front();
            } else if (prop == QLatin1String("background") || prop == QLatin1String("background-color")) {
                if (value == QLatin1String("transparent")) {
                    r.transparent = true;
                } else {
                    r.background = ColoursIn(value);
                }
            } else if (prop == QLatin1String("selection-color")) {
                const auto c = ColoursIn(value);
                if (!c.empty()) r.selectionColor = c.front();
            } else if (prop == QLatin1String("selection-background-color")) {
                r.selectionBackground = ColoursIn(value);
            }
        }
        for (const QString& selector : m.captured(1).split(u',', Qt::SkipEmptyParts)) {
            SheetRule& into = rules[selector.simplified()];
            if (r.color) into.color = r.color;
            if (!r.background.empty() || r.transparent) {
                into.background = r.background;
                into.transparent = r.transparent;
            }
            if (r.selectionColor) into.selectionColor = r.selectionColor;
            if (!r.selectionBackground.empty()) into.selectionBackground = r.selectionBackground;
        }
    }
    return rules;
}

// The selectors a selector falls back on, most specific first:
// "QPushButton#BtnPai:hover" → "QPushButton#BtnPai" → "QPushButton".
QStringList FallbackChain(QString selector) {
    QStringList chain{selector};
    static const QRegularExpression last(QStringLiteral("(::?[A-Za-z-]+|\\[[^\\]]*\\]|#[A-Za-z0-9_]+)$"));
    for (;;) {
        const QRegularExpressionMatch m = last.match(selector);
        if (!m.hasMatch() || m.capturedStart() == 0) break;
        selector.truncate(m.capturedStart());
        chain << selector;
    }
    return chain;
}

struct Pair {
    QString selector;
    QColor text, background;
};

// Every text colour with every background it is drawn on.
std::vector<Pair> TextPairs(const std::map<QString, SheetRule>& rules) {
    std::vector<QColor> windowBg{QColor(Qt::white)};
    for (const char* window : {"QMainWindow", "QDialog"}) {
        if (auto it = rules.find(QString::fromLatin1(window)); it != rules.end() && !it->second.background.empty()) {
            windowBg = it->second.background;
        }
    }
    std::vector<Pair> pairs;
    for (const auto& [selector, rule] : rules) {
        // Disabled controls are exempt; these parts carry no text.
        if (selector.contains(QLatin1String(":disabled"))) continue;
        if (selector.contains(QRegularExpression(QStringLiteral("::(separator|handle|chunk|pane)$")))) continue;
        std::optional<QColor> fg;
        std::vector<QColor> bg;
        for (const QString& s : FallbackChain(selector)) {
            auto it = rules.find(s);
            if (it == rules.end()) continue;
            if (!fg && it->second.color) fg = it->second.color;
            if (bg.empty() && !it->second.background.empty()) bg = it->second.background;
        }
        if (bg.empty()) bg = windowBg;
        for (const QColor& b : bg) pairs.push_back({selector, fg.value_or(QColor(Qt::black)), b});
        for (const QColor& b : rule.selectionBackground) {
            pairs.push_back({selector + " selection", rule.selectionColor.value_or(QColor(Qt::white)), b});
        }
    }
    return pairs;
}

QStringList Skins() {
    return QDir(QStringLiteral(TESSALY_SOURCE_DIR "/data/skins")).entryList({QStringLiteral("*.skn")}, QDir::Files);
}

// The sheet a skin puts on the application: the program's base rules, then
// the skin's own.
QString SkinSheet(const QString& file) {
    QFile f(QStringLiteral(TESSALY_SOURCE_DIR "/data/skins/") + file);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << file.toStdString();
    return SkinEngine::BaseRules() + QString::fromUtf8(f.readAll());
}

TEST(SkinContrast, ParserFindsRulesAndFallbacks) {
    const auto rules = ParseSheet(QStringLiteral(
        "/* c */ QDialog { background: #000000; }\n"
        "QLabel, QCheckBox { color: #ffffff; }\n"
        "QPushButton { background: qlineargradient(x1:0, stop:0 #111111, stop:1 #222222); color: #eeeeee; }\n"
        "QPushButton:hover { background: #333333; }\n"
        "QMenu::item:selected { background: #ffffff; }"));
    ASSERT_EQ(rules.count(QStringLiteral("QCheckBox")), 1u);
    EXPECT_EQ(rules.at(QStringLiteral("QPushButton")).background.size(), 2u);
    EXPECT_EQ(FallbackChain(QStringLiteral("QPushButton#BtnPai:hover")),
              (QStringList{"QPushButton#BtnPai:hover", "QPushButton#BtnPai", "QPushButton"}));
    EXPECT_EQ(FallbackChain(QStringLiteral("QLabel#LabTitle[person=\"1\"]")),
              (QStringList{"QLabel#LabTitle[person=\"1\"]", "QLabel#LabTitle", "QLabel"}));
    const std::vector<Pair> pairs = TextPairs(rules);
    std::map<QString, QColor> fgOf;
    for (const Pair& p : pairs) fgOf[p.selector] = p.text;
    EXPECT_EQ(fgOf[QStringLiteral("QPushButton:hover")], QColor(0xee, 0xee, 0xee));  // from QPushButton
    EXPECT_EQ(fgOf[QStringLiteral("QMenu::item:selected")], QColor(Qt::black));      // the default text
    EXPECT_GT(Contrast(Qt::black, Qt::white), 20.9);
    EXPECT_NEAR(Contrast(QColor(0x77, 0x77, 0x77), Qt::white), 4.48, 0.01);
}

TEST(SkinContrast, EveryTextOfEverySkinHasContrastOfAtLeastFourAndAHalf) {
    ASSERT_GE(Skins().size(), 3);
    for (const QString& file : Skins()) {
        const auto rules = ParseSheet(SkinSheet(file));
        ASSERT_FALSE(rules.empty()) << file.toStdString();
        for (const Pair& p : TextPairs(rules)) {
            SCOPED_TRACE(testing::Message()
                         << file.toStdString() << " " << p.selector.toStdString() << " " << p.text.name().toStdString()
                         << " on " << p.background.name().toStdString());
            // The person label of the birth dialog is 28-pixel bold, large
            // text, which needs 3 : 1 (red 乙 on a light ground has 3.5).
            const bool large = p.selector.startsWith(QLatin1String("QLabel#LabTitle"));
            EXPECT_GE(Contrast(p.text, p.background), large ? 3.0 : 4.5);
        }
    }
}

// The strongest contrast between any pixel of `part` as drawn in its window
// and the colour at `backgroundAt` (in `part`): the core of a glyph or an
// arrow has the full colour.
double DrawnContrast(QWidget* part, QPoint backgroundAt) {
    QWidget* window = part->window();
    const QRect r(part->mapTo(window, QPoint(0, 0)), part->size());
    const QImage img = window->grab(r).toImage();
    const QColor bg = img.pixelColor(backgroundAt);
    double best = 1;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) best = std::max(best, Contrast(img.pixelColor(x, y), bg));
    }
    return best;
}

// How many pixels of `part` as drawn differ from the colour at
// `backgroundAt` by at least `minContrast`.
int DrawnMarkPixels(QWidget* part, QPoint backgroundAt, double minContrast) {
    QWidget* window = part->window();
    const QImage img = window->grab(QRect(part->mapTo(window, QPoint(0, 0)), part->size())).toImage();
    const QColor bg = img.pixelColor(backgroundAt);
    int n = 0;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) n += Contrast(img.pixelColor(x, y), bg) >= minContrast;
    }
    return n;
}

// Runs `check` with each shipped skin switched on, then with the system
// style.
void InEverySkin(const std::function<void()>& check) {
    QStringList skins = Skins();
    skins << QString();  // the system style
    for (const QString& file : skins) {
        SCOPED_TRACE(file.isEmpty() ? std::string("system style") : file.toStdString());
        SkinEngine engine;
        if (file.isEmpty()) {
            engine.Deactivate();
        } else {
            ASSERT_TRUE(engine.Load(QStringLiteral(TESSALY_SOURCE_DIR "/data/skins/") + file));
            engine.Activate();
        }
        check();
        engine.Deactivate();
    }
}

TEST(SkinContrast, BirthDialogTitleAndYearArrowsAreVisibleInEverySkin) {
    TempHome home;
    InEverySkin([&] {
        for (int person : {0, 1}) {
            SCOPED_TRACE(person);
            BirthDataDialog dlg(home.dir / "dat" / "dili.ini");
            PersonRecord r;
            r.name = "某人";
            dlg.SetRecord(r, person);
            dlg.show();
            QApplication::processEvents();
            // 28-pixel bold is large text: 3 : 1 (non-text marks too).
            EXPECT_GE(DrawnContrast(dlg.personLabel, {1, 1}), 3.0);
            for (QToolButton* arrow : dlg.yearUpDown->findChildren<QToolButton*>()) {
                // An arrow of a dozen pixels at 3 : 1; a skin's padding once
                // squeezed it to two.
                EXPECT_GE(DrawnMarkPixels(arrow, {arrow->width() / 2, 2}, 3.0), 8);
            }
        }
    });
}

TEST(SkinContrast, SaveButtonKeepsItsFontAfterNewCase) {
    TempHome home;
    ScriptedMessages messages;
    for (const char* skin : {"Mx1", "Ink"}) {
        SCOPED_TRACE(skin);
        ASSERT_TRUE(home.WriteSettings(std::string("[window]\r\nskined=1\r\nskinname=") + skin + "\r\n").ok());
        MainWindow w(home.Files());
        w.show();
        QApplication::processEvents();
        const QFontInfo before(w.saveButton->font());
        apptest::WhenModal<BirthDataDialog>([](BirthDataDialog* d) { d->reject(); });
        w.NewCase();
        QApplication::processEvents();
        const QFontInfo after(w.saveButton->font());
        EXPECT_EQ(after.family(), before.family());
        EXPECT_EQ(after.pixelSize(), before.pixelSize());
        EXPECT_EQ(after.pixelSize(), w.newButton->fontInfo().pixelSize());  // as large as its neighbour
        EXPECT_GE(DrawnContrast(w.saveButton, {3, w.saveButton->height() / 2}), 4.5);
        w.close();
        SkinEngine().Deactivate();
    }
}

TEST(SkinContrast, BottomButtonsShowTheirWholeCaptionsInEverySkin) {
    TempHome home;
    ScriptedMessages messages;
    QStringList skins = Skins();
    skins << QString();  // the system style
    for (const QString& file : skins) {
        SCOPED_TRACE(file.isEmpty() ? std::string("system style") : file.toStdString());
        const std::string settings =
            file.isEmpty() ? std::string("[window]\r\nskined=0\r\n")
                           : "[window]\r\nskined=1\r\nskinname=" + file.section(u'.', 0, 0).toStdString() + "\r\n";
        ASSERT_TRUE(home.WriteSettings(settings).ok());
        MainWindow w(home.Files());
        w.show();
        QApplication::processEvents();
        for (QAbstractButton* b :
             {static_cast<QAbstractButton*>(w.newButton), static_cast<QAbstractButton*>(w.saveButton),
              static_cast<QAbstractButton*>(w.matchButton)}) {
            SCOPED_TRACE(b->objectName().toStdString());
            // Under a skin the size hint is the caption with the skin's
            // padding and border; the system style asks every push button for
            // 80 pixels, more than the caption needs.
            QString caption = b->text();
            caption.remove(u'&');
            const int need = file.isEmpty() ? b->fontMetrics().horizontalAdvance(caption) + 8 : b->sizeHint().width();
            EXPECT_GE(b->width(), need);
        }
        w.close();
        SkinEngine().Deactivate();
    }
}

TEST(SkinContrast, SwitchingSkinsKeepsTheWindowFont) {
    TempHome home;
    ScriptedMessages messages;
    MainWindow w(home.Files());
    w.show();
    QApplication::processEvents();
    const int px = w.newButton->fontInfo().pixelSize();
    EXPECT_EQ(px, 14);  // 宋体 at 14 pixels
    for (const char* skin : {"Mx1", "Ink", "系统默认", "Celadon"}) {
        SCOPED_TRACE(skin);
        for (QAction* a : w.skinMenu->actions()) {
            if (a->text() == QString::fromUtf8(skin)) w.ChooseSkin(a);
        }
        QApplication::processEvents();
        for (QWidget* part : {static_cast<QWidget*>(w.newButton), static_cast<QWidget*>(w.saveButton),
                              static_cast<QWidget*>(w.caseTree), static_cast<QWidget*>(w.marriageYearLabel)}) {
            SCOPED_TRACE(part->objectName().toStdString());
            EXPECT_EQ(part->fontInfo().pixelSize(), px);
        }
    }
    w.close();
    SkinEngine().Deactivate();
}

// The blue note of "设定用神" takes the skin's label colour where a skin
// has one: blue on a dark skin was unreadable.
TEST(SkinContrast, UsefulGodNoteIsReadableInEverySkin) {
    InEverySkin([] {
        UsefulGodDialog dlg(std::array<RoleOverride, 2>{});
        dlg.show();
        QApplication::processEvents();
        EXPECT_GE(DrawnContrast(dlg.note, {1, 1}), 4.5);
    });
}

// "婚配指数构成" draws on the palette's base with its text colour, and its
// table is not styled by any skin: both stay readable.
TEST(SkinContrast, IndexPartsDialogIsReadableInEverySkin) {
    PersonRecord a, b;
    a.SetTime({1990, 5, 12, 8, 30});
    a.isMale = 1;
    b.SetTime({1992, 11, 3, 21, 10});
    const MatchingResult m = RunMatching(a, b, {});
    ASSERT_TRUE(m.Ok());
    const OptionComparison comparison = CompareOptions(a, b, {});
    InEverySkin([&] {
        IndexPartsDialog dlg(IndexPartsOf(m), comparison);
        dlg.show();
        QApplication::processEvents();
        EXPECT_GE(DrawnContrast(dlg.chart, {1, 1}), 4.5);
        EXPECT_GE(DrawnContrast(dlg.indexLabel, {1, 1}), 4.5);
        dlg.pages->setCurrentIndex(1);
        QApplication::processEvents();
        EXPECT_GE(DrawnContrast(dlg.optionTable->viewport(), {1, 1}), 4.5);
        EXPECT_GE(DrawnContrast(dlg.tableNote, {1, 1}), 4.5);
    });
}

}  // namespace
}  // namespace tessaly
