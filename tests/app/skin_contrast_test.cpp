// Every skin keeps text readable: the colours its style sheet gives text
// and the backgrounds behind it differ by at least 4.5 : 1 (relative
// luminance contrast); the controls the skins once hid are checked as drawn.
#include <QAbstractItemView>
#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyleOption>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>
#include <cmath>
#include <functional>
#include <map>
#include <optional>

#include "app/BirthDataDialog.h"
#include "app/ColourContrast.h"
#include "app/IndexPartsChart.h"
#include "app/IndexPartsDialog.h"
#include "app/MainWindow.h"
#include "app/SkinEngine.h"
#include "app/UsefulGodDialog.h"
#include "all_dialogs.h"
#include "app_test_util.h"
#include "keyboard_walk.h"

namespace tessaly {
namespace {

using apptest::ScriptedMessages;
using apptest::TempHome;

double Contrast(const QColor& a, const QColor& b) { return ContrastRatio(a, b); }

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
        if (selector.contains(QRegularExpression(QStringLiteral("::(separator|handle|chunk|pane|indicator)(:|$)")))) {
            continue;
        }
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

// The name of the shipped skin whose rules `sheet` holds.
QString SkinOfSheet(const QString& sheet) {
    for (const QString& file : Skins()) {
        if (sheet == SkinSheet(file)) return file.section(u'.', 0, 0);
    }
    return {};
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
    EXPECT_EQ(px, QFontInfo(QApplication::font()).pixelSize());  // the desktop's
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

// ---- every dialog as drawn, in every skin, on a light and on a dark desktop ----

// The palette Qt takes from a dark desktop (GTK's dark theme through
// qt6-gtk-platformtheme, as measured).
QPalette DarkDesktopPalette() {
    QPalette p;
    const struct {
        QPalette::ColorRole role;
        const char *normal, *disabled;
    } kRoles[] = {
        {QPalette::WindowText, "#f0f0f0", "#828282"},
        {QPalette::Button, "#323232", "#323232"},
        {QPalette::Light, "#4b4b4b", "#4b4b4b"},
        {QPalette::Midlight, "#2a2a2a", "#2a2a2a"},
        {QPalette::Dark, "#212121", "#bebebe"},
        {QPalette::Mid, "#262626", "#262626"},
        {QPalette::Text, "#f0f0f0", "#828282"},
        {QPalette::BrightText, "#4b4b4b", "#4b4b4b"},
        {QPalette::ButtonText, "#f0f0f0", "#828282"},
        {QPalette::Base, "#242424", "#323232"},
        {QPalette::Window, "#323232", "#323232"},
        {QPalette::Shadow, "#191919", "#252525"},
        {QPalette::Highlight, "#308cc6", "#919191"},
        {QPalette::HighlightedText, "#f0f0f0", "#f0f0f0"},
        {QPalette::Link, "#308cc6", "#308cc6"},
        {QPalette::AlternateBase, "#2b2b2b", "#2b2b2b"},
        {QPalette::ToolTipBase, "#ffffdc", "#ffffdc"},
        {QPalette::ToolTipText, "#000000", "#000000"},
        {QPalette::PlaceholderText, "#80f0f0f0", "#80f0f0f0"},
    };
    for (const auto& r : kRoles) {
        for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive}) p.setColor(g, r.role, QColor(r.normal));
        p.setColor(QPalette::Disabled, r.role, QColor(r.disabled));
    }
    return p;
}

// Runs `check` in every skin and the system style, first on the desktop's
// own light palette, then on a dark desktop's.
void InEverySkinOnLightAndDark(const std::function<void()>& check) {
    const QPalette light = QApplication::palette();
    for (const bool dark : {false, true}) {
        SCOPED_TRACE(dark ? "dark desktop" : "light desktop");
        QApplication::setPalette(dark ? DarkDesktopPalette() : light);
        InEverySkin(check);
    }
    QApplication::setPalette(light);
}

// `part` as its window draws it, the grounds of its parents included.
QImage Drawn(QWidget* part, QRect area = {}) {
    if (area.isNull()) area = part->rect();
    QWidget* window = part->window();
    return window->grab(QRect(part->mapTo(window, area.topLeft()), area.size())).toImage();
}

// Text drawn in `img`: its ground is the colour most pixels have, its ink
// the pixel that differs most from that (the core of a glyph has the full
// colour).
struct DrawnText {
    QColor ground;
    double contrast = 1;
};
DrawnText TextIn(const QImage& img) {
    std::map<QRgb, int> count;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) ++count[img.pixel(x, y)];
    }
    DrawnText t;
    if (count.empty()) return t;
    t.ground = QColor(std::max_element(count.begin(), count.end(), [](const auto& a, const auto& b) {
                          return a.second < b.second;
                      })->first);
    for (const auto& [rgb, n] : count) t.contrast = std::max(t.contrast, Contrast(QColor(rgb), t.ground));
    return t;
}

// Text on the desktop's own selection colour, which the program leaves as
// the desktop has it (the system style's 白 on #308cc6 has 3.7 : 1), needs
// 3 : 1; every other text 4.5 : 1 (large text 3 : 1).
void ExpectReadable(const QImage& img, double needed) {
    const DrawnText t = TextIn(img);
    const bool desktopSelection =
        qApp->styleSheet().isEmpty() && t.ground == QApplication::palette().color(QPalette::Highlight);
    EXPECT_GE(t.contrast, desktopSelection ? std::min(needed, 3.0) : needed)
        << "ground " << t.ground.name().toStdString();
}

QString ShownText(QString text) { return text.replace(QStringLiteral("&&"), QStringLiteral("\x01")).remove(u'&'); }

// Where `w` draws its text, in its own coordinates; empty when it shows
// none (or only a picture).
QRect TextArea(QWidget* w) {
    QStyle* style = w->style();
    if (auto* l = qobject_cast<QLabel*>(w)) {
        if (l->text().trimmed().isEmpty() || l->textFormat() == Qt::RichText) return {};
        return l->contentsRect();
    }
    if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
        auto* b = static_cast<QAbstractButton*>(w);
        QStyleOptionButton o;
        o.initFrom(b);
        o.text = b->text();
        const bool box = qobject_cast<QCheckBox*>(w) != nullptr;
        return style->subElementRect(box ? QStyle::SE_CheckBoxContents : QStyle::SE_RadioButtonContents, &o, b);
    }
    if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        if (b->text().trimmed().isEmpty() || !b->icon().isNull()) return {};
        const QRect text =
            style->itemTextRect(b->fontMetrics(), b->rect(), Qt::AlignCenter, true, ShownText(b->text()));
        return text.adjusted(-1, -1, 1, 1) & b->rect().adjusted(3, 3, -3, -3);
    }
    if (auto* g = qobject_cast<QGroupBox*>(w)) {
        if (g->title().isEmpty()) return {};
        QStyleOptionGroupBox o;
        o.initFrom(g);
        o.text = g->title();
        o.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
        o.lineWidth = 1;
        return style->subControlRect(QStyle::CC_GroupBox, &o, QStyle::SC_GroupBoxLabel, g);
    }
    if (auto* c = qobject_cast<QComboBox*>(w)) {
        if (c->currentText().trimmed().isEmpty()) return {};
        QStyleOptionComboBox o;
        o.initFrom(c);
        o.currentText = c->currentText();
        o.editable = c->isEditable();
        o.subControls = QStyle::SC_All;
        return style->subControlRect(QStyle::CC_ComboBox, &o, QStyle::SC_ComboBoxEditField, c);
    }
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        if (e->text().trimmed().isEmpty()) return {};
        return e->rect().adjusted(4, 4, -4, -4);
    }
    return {};
}

// 4.5 : 1, or 3 : 1 for large text (24 pixels, or 19 pixels bold).
double NeededContrast(const QWidget* w) {
    const QFontInfo f(w->font());
    return f.pixelSize() >= 24 || (f.bold() && f.pixelSize() >= 19) ? 3.0 : 4.5;
}

// The shown, enabled children of `window` of type T.
template <class T>
std::vector<T*> Shown(QWidget* window) {
    std::vector<T*> out;
    for (T* w : window->findChildren<T*>()) {
        if (w->window() == window && w->isVisible() && w->isEnabled()) out.push_back(w);
    }
    return out;
}

// Every text of `window` that a test can find: its controls, its tabs,
// the current and another item of its item views, and the current and
// another item of each drop-down list as its list shows them.
void ExpectEveryTextReadable(QWidget* window) {
    for (QWidget* w : Shown<QWidget>(window)) {
        const QRect area = TextArea(w);
        if (area.width() < 2 || area.height() < 2) continue;
        SCOPED_TRACE(apptest::NameOf(w));
        ExpectReadable(Drawn(w, area), NeededContrast(w));
    }
    for (QTabBar* bar : Shown<QTabBar>(window)) {
        for (int i = 0; i < bar->count(); ++i) {
            SCOPED_TRACE(bar->tabText(i).toStdString());
            ExpectReadable(Drawn(bar, bar->tabRect(i).adjusted(4, 4, -4, -4)), 4.5);
        }
    }
    for (QAbstractItemView* view : Shown<QAbstractItemView>(window)) {
        QAbstractItemModel* m = view->model();
        if (m == nullptr || m->rowCount(view->rootIndex()) < 2) continue;
        const QModelIndex first = m->index(0, 0, view->rootIndex()), second = m->index(1, 0, view->rootIndex());
        view->setCurrentIndex(first);
        view->scrollTo(first);
        QApplication::processEvents();
        for (const QModelIndex& ix : {first, second}) {
            SCOPED_TRACE(apptest::NameOf(view) + " item " + ix.data().toString().toStdString());
            const QRect r = view->visualRect(ix) & view->viewport()->rect();
            if (r.isEmpty() || ix.data().toString().trimmed().isEmpty()) continue;
            ExpectReadable(Drawn(view->viewport(), r.adjusted(1, 1, -1, -1)), 4.5);
        }
    }
    for (QComboBox* box : Shown<QComboBox>(window)) {
        if (box->count() < 2) continue;
        SCOPED_TRACE(apptest::NameOf(box) + " list");
        box->showPopup();
        QApplication::processEvents();
        QAbstractItemView* view = box->view();
        const int current = std::max(0, box->currentIndex());
        for (const int row : {current, current == 0 ? 1 : 0}) {
            const QModelIndex ix = view->model()->index(row, box->modelColumn(), view->rootIndex());
            if (ix.data().toString().trimmed().isEmpty()) continue;
            SCOPED_TRACE(ix.data().toString().toStdString());
            view->scrollTo(ix);
            const QRect r = view->visualRect(ix) & view->viewport()->rect();
            ASSERT_FALSE(r.isEmpty());
            ExpectReadable(view->viewport()->grab(r.adjusted(1, 1, -1, -1)).toImage(), 4.5);
        }
        box->hidePopup();
        QApplication::processEvents();
    }
}

TEST(SkinContrast, EveryTextOfEveryDialogIsReadableInEverySkinOnLightAndDarkDesktops) {
    ScriptedMessages messages;
    InEverySkinOnLightAndDark([] {
        for (const apptest::DialogMaker& d : apptest::AllDialogs()) {
            SCOPED_TRACE(d.name);
            apptest::DialogSetting setting;
            const std::unique_ptr<QWidget> w = d.make(setting);
            w->show();
            QApplication::setActiveWindow(w.get());
            QApplication::processEvents();
            ExpectEveryTextReadable(w.get());
            w->close();
        }
    });
}

// Pixels of `img` within `area` that stand out from `ground` (3 : 1).
int MarkPixels(const QImage& img, const QColor& ground) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) n += Contrast(img.pixelColor(x, y), ground) >= 3;
    }
    return n;
}

// A checked box or round button shows more marks than an unchecked one:
// its check or dot stands out from the empty inside.
TEST(SkinContrast, CheckedIndicatorsAreFullerThanUncheckedOnes) {
    ScriptedMessages messages;
    InEverySkinOnLightAndDark([] {
        for (const apptest::DialogMaker& d : apptest::AllDialogs()) {
            SCOPED_TRACE(d.name);
            apptest::DialogSetting setting;
            const std::unique_ptr<QWidget> w = d.make(setting);
            w->show();
            QApplication::setActiveWindow(w.get());
            QApplication::processEvents();
            for (QAbstractButton* b : Shown<QAbstractButton>(w.get())) {
                const bool box = qobject_cast<QCheckBox*>(b) != nullptr;
                if (!box && !qobject_cast<QRadioButton*>(b)) continue;
                SCOPED_TRACE(apptest::NameOf(b));
                QStyleOptionButton o;
                o.initFrom(b);
                const QRect indicator = b->style()->subElementRect(
                    box ? QStyle::SE_CheckBoxIndicator : QStyle::SE_RadioButtonIndicator, &o, b);
                // Drawn unchecked and checked, whatever group it is in.
                const bool wasChecked = b->isChecked(), exclusive = b->autoExclusive();
                QButtonGroup* group = b->group();
                const bool groupExclusive = group != nullptr && group->exclusive();
                if (group != nullptr) group->setExclusive(false);
                b->setAutoExclusive(false);
                b->setChecked(false);
                const QImage off = Drawn(b, indicator);
                b->setChecked(true);
                const QImage on = Drawn(b, indicator);
                b->setChecked(wasChecked);
                b->setAutoExclusive(exclusive);
                if (group != nullptr) group->setExclusive(groupExclusive);
                // The ground is the empty inside of the unchecked one.
                const QColor inside = off.pixelColor(off.width() / 2, off.height() / 2);
                EXPECT_GE(MarkPixels(on, inside) - MarkPixels(off, inside), 8);
            }
            w->close();
        }
    });
}

// Pixels that change by at least 3 : 1 from `before` to `after`.
int ChangedPixels(const QImage& before, const QImage& after) {
    int n = 0;
    for (int y = 0; y < std::min(before.height(), after.height()); ++y) {
        for (int x = 0; x < std::min(before.width(), after.width()); ++x) {
            n += Contrast(before.pixelColor(x, y), after.pixelColor(x, y)) >= 3;
        }
    }
    return n;
}

// After a Tab the button with the keyboard shows a frame: at least half its
// outline changes by 3 : 1.
void ExpectFocusFrame(QAbstractButton* b) {
    SCOPED_TRACE(apptest::NameOf(b));
    QWidget* window = b->window();
    window->setFocus();
    QApplication::processEvents();
    const QImage before = Drawn(b);
    window->setAttribute(Qt::WA_KeyboardFocusChange);  // as after a Tab
    b->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    ASSERT_TRUE(b->hasFocus());
    EXPECT_GE(ChangedPixels(before, Drawn(b)), b->width() + b->height());
}

TEST(SkinContrast, ButtonsShowAFocusFrame) {
    ScriptedMessages messages;
    InEverySkinOnLightAndDark([] {
        for (const apptest::DialogMaker& d : apptest::AllDialogs()) {
            SCOPED_TRACE(d.name);
            apptest::DialogSetting setting;
            const std::unique_ptr<QWidget> w = d.make(setting);
            w->show();
            QApplication::setActiveWindow(w.get());
            QApplication::processEvents();
            for (QAbstractButton* b : Shown<QAbstractButton>(w.get())) {
                if ((qobject_cast<QPushButton*>(b) || qobject_cast<QToolButton*>(b)) &&
                    (b->focusPolicy() & Qt::TabFocus)) {
                    ExpectFocusFrame(b);
                }
            }
            w->close();
        }
    });
}

// The hint of the empty report pane and a report's text on the report's
// own background, whatever the desktop's palette.
TEST(SkinContrast, ReportPaneHintIsReadableOnLightAndDarkDesktops) {
    TempHome home;
    ScriptedMessages messages;
    InEverySkinOnLightAndDark([&] {
        const QString skin = qApp->styleSheet().isEmpty() ? QString() : SkinOfSheet(qApp->styleSheet());
        ASSERT_TRUE(home.WriteSettings(skin.isEmpty()
                                           ? std::string("[window]\r\nskined=0\r\n")
                                           : "[window]\r\nskined=1\r\nskinname=" + skin.toStdString() + "\r\n")
                        .ok());
        MainWindow w(home.Files());
        w.show();
        QApplication::processEvents();
        ASSERT_TRUE(w.reportPane->toPlainText().isEmpty());
        const QFontMetrics fm(w.reportPane->font());
        const QRect line(0, 0, fm.horizontalAdvance(w.reportPane->placeholderText()) + 8, fm.height() + 8);
        ExpectReadable(Drawn(w.reportPane->viewport(), line), 4.5);
        // Text typed into it (no colour of its own) reads too.
        w.reportPane->setPlainText(QStringLiteral("婚配指数"));
        QApplication::processEvents();
        ExpectReadable(Drawn(w.reportPane->viewport(), line), 4.5);
        w.close();
    });
}

// "存新" and "设定用神" of the main window, which users missed.
TEST(SkinContrast, MainWindowToolButtonsShowAFocusFrame) {
    TempHome home;
    ScriptedMessages messages;
    InEverySkinOnLightAndDark([&] {
        // The window puts on the skin of its settings.
        const QString skin = qApp->styleSheet().isEmpty() ? QString() : SkinOfSheet(qApp->styleSheet());
        ASSERT_TRUE(home.WriteSettings(skin.isEmpty()
                                           ? std::string("[window]\r\nskined=0\r\n")
                                           : "[window]\r\nskined=1\r\nskinname=" + skin.toStdString() + "\r\n")
                        .ok());
        MainWindow w(home.Files());
        w.show();
        QApplication::setActiveWindow(&w);
        QApplication::processEvents();
        for (QToolButton* b : w.findChildren<QToolButton*>()) {
            if (b->objectName() == QLatin1String("SbtoSave") || b->objectName() == QLatin1String("SbtoSet")) {
                ExpectFocusFrame(b);
            }
        }
        w.close();
    });
}

}  // namespace

// "婚配指数构成" draws on the palette's base with its text colour, and its
// table is not styled by any skin: both stay readable.
TEST(SkinContrast, IndexPartsDialogIsReadableInEverySkin) {
    PersonRecord a, b;
    a.SetTime({1990, 5, 12, 8, 30});
    a.isMale = 1;
    b.SetTime({1992, 11, 3, 21, 10});
    const MatchingResult m = RunMatching(a, b, {});
    ASSERT_TRUE(m.ok());
    const OptionComparison comparison = CompareOptions(a, b, {});
    InEverySkinOnLightAndDark([&] {
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

}  // namespace tessaly
