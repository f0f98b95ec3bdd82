#include "CaseTreeModel.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <unordered_map>

#include "store/FileUtil.h"
#include "app/QtText.h"

namespace tessaly {
namespace {

// One icon drawn on a 16 × 16 grid at `scale`.
QPixmap DrawTreeIcon(int kind, int scale) {
    QPixmap pm(16 * scale, 16 * scale);
    pm.setDevicePixelRatio(scale);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    switch (kind) {
        case 0:
        case 1: {  // a person: head and shoulders, blue for a man, rose for a woman
            const QColor fill = kind == 1 ? QColor(52, 101, 164) : QColor(204, 60, 110);
            p.setPen(QPen(fill.darker(130), 0.8));
            p.setBrush(fill);
            p.drawEllipse(QRectF(5, 1.5, 6, 6));
            QPainterPath body;
            body.moveTo(2.5, 15);
            body.cubicTo(2.5, 9.5, 13.5, 9.5, 13.5, 15);
            body.closeSubpath();
            p.drawPath(body);
            break;
        }
        case 2: {  // a folder
            p.setPen(QPen(QColor(150, 110, 30), 1));
            p.setBrush(QColor(240, 200, 90));
            QPainterPath folder;
            folder.moveTo(1.5, 3.5);
            folder.lineTo(6, 3.5);
            folder.lineTo(7.5, 5);
            folder.lineTo(14.5, 5);
            folder.lineTo(14.5, 13.5);
            folder.lineTo(1.5, 13.5);
            folder.closeSubpath();
            p.drawPath(folder);
            p.setPen(QPen(QColor(255, 235, 170), 1));
            p.drawLine(QPointF(2.5, 6.5), QPointF(13.5, 6.5));
            break;
        }
        default: {  // the root: a red seal with a ring
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(160, 24, 24));
            p.drawRoundedRect(QRectF(1, 1, 14, 14), 3, 3);
            p.setPen(QPen(QColor(250, 230, 190), 1.4));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QRectF(4, 4, 8, 8));
            break;
        }
    }
    return pm;
}

}  // namespace

QIcon CaseTreeIcon(int kind) {
    QIcon icon;
    for (int scale : {1, 2, 3}) icon.addPixmap(DrawTreeIcon(kind, scale));
    return icon;
}

CaseTreeModel::CaseTreeModel(QObject* parent) : QAbstractItemModel(parent) {
    for (int k = 0; k < 4; ++k) icons_[k] = CaseTreeIcon(k);
}

CaseTreeModel::Category CaseTreeModel::MakeCategory(const std::string& name) {
    return {nextSerial_++, name, FoldAscii(name), ToQString(name), {}};
}

void CaseTreeModel::Reset(const std::vector<ListedCase>& cases) {
    beginResetModel();
    categories_.clear();
    nextSerial_ = 0;
    std::unordered_map<std::string, std::size_t> byKey;
    for (const ListedCase& c : cases) {
        std::string key = FoldAscii(c.category);
        auto it = byKey.find(key);
        if (it == byKey.end()) {
            it = byKey.emplace(std::move(key), categories_.size()).first;
            categories_.push_back(MakeCategory(c.category));
        }
        categories_[it->second].cases.push_back({c.slot, c.male, ToQString(c.nodeText)});
    }
    endResetModel();
}

QModelIndex CaseTreeModel::RootIndex() const { return createIndex(0, 0, kRootId); }

CaseTreeModel::Level CaseTreeModel::LevelOf(const QModelIndex& ix) const {
    if (!ix.isValid() || ix.model() != this) return Level::kNone;
    if (ix.internalId() == kRootId) return Level::kRoot;
    if (ix.internalId() == kCategoryId) return Level::kCategory;
    return Level::kCase;
}

int CaseTreeModel::RowOfSerial(std::uint32_t serial) const {
    for (std::size_t i = 0; i < categories_.size(); ++i) {
        if (categories_[i].serial == serial) return int(i);
    }
    return -1;
}

std::int32_t CaseTreeModel::SlotOf(const QModelIndex& ix) const {
    if (LevelOf(ix) != Level::kCase) return -1;
    const int cat = RowOfSerial(std::uint32_t(ix.internalId() - 2));
    if (cat < 0 || ix.row() >= int(categories_[std::size_t(cat)].cases.size())) return -1;
    return categories_[std::size_t(cat)].cases[std::size_t(ix.row())].slot;
}

std::string CaseTreeModel::CategoryName(const QModelIndex& ix) const {
    if (LevelOf(ix) != Level::kCategory || ix.row() >= int(categories_.size())) return {};
    return categories_[std::size_t(ix.row())].name;
}

QModelIndex CaseTreeModel::CategoryIndex(int row) const {
    if (row < 0 || row >= int(categories_.size())) return {};
    return createIndex(row, 0, kCategoryId);
}

QModelIndex CaseTreeModel::FindCategory(const std::string& name) const {
    const std::string key = FoldAscii(name);
    for (std::size_t i = 0; i < categories_.size(); ++i) {
        if (categories_[i].key == key) return CategoryIndex(int(i));
    }
    return {};
}

bool CaseTreeModel::Locate(std::int32_t slot, int* category, int* row) const {
    for (std::size_t i = 0; i < categories_.size(); ++i) {
        const std::vector<Case>& cases = categories_[i].cases;
        for (std::size_t j = 0; j < cases.size(); ++j) {
            if (cases[j].slot == slot) {
                *category = int(i);
                *row = int(j);
                return true;
            }
        }
    }
    return false;
}

QModelIndex CaseTreeModel::FindCase(std::int32_t slot) const {
    int cat = 0, row = 0;
    if (!Locate(slot, &cat, &row)) return {};
    return createIndex(row, 0, quintptr(categories_[std::size_t(cat)].serial) + 2);
}

std::vector<std::int32_t> CaseTreeModel::SlotsIn(const QModelIndex& category) const {
    std::vector<std::int32_t> listed;
    if (LevelOf(category) != Level::kCategory || category.row() >= int(categories_.size())) return listed;
    for (const Case& c : categories_[std::size_t(category.row())].cases) listed.push_back(c.slot);
    return listed;
}

QModelIndex CaseTreeModel::AddCategory(const std::string& name) {
    const int row = int(categories_.size());
    beginInsertRows(RootIndex(), row, row);
    categories_.push_back(MakeCategory(name));
    endInsertRows();
    return CategoryIndex(row);
}

QModelIndex CaseTreeModel::AddCase(const QModelIndex& category, std::int32_t slot, bool male, const QString& text) {
    if (LevelOf(category) != Level::kCategory || category.row() >= int(categories_.size())) return {};
    Category& c = categories_[std::size_t(category.row())];
    const int row = int(c.cases.size());
    beginInsertRows(category, row, row);
    c.cases.push_back({slot, male, text});
    endInsertRows();
    return createIndex(row, 0, quintptr(c.serial) + 2);
}

QModelIndex CaseTreeModel::AddListedCase(const ListedCase& listed) {
    QModelIndex category = FindCategory(listed.category);
    if (!category.isValid()) category = AddCategory(listed.category);
    return AddCase(category, listed.slot, listed.male, ToQString(listed.nodeText));
}

bool CaseTreeModel::UpdateCase(std::int32_t slot, bool male, const QString& text) {
    int cat = 0, row = 0;
    if (!Locate(slot, &cat, &row)) return false;
    Case& c = categories_[std::size_t(cat)].cases[std::size_t(row)];
    c.male = male;
    c.text = text;
    const QModelIndex ix = FindCase(slot);
    emit dataChanged(ix, ix, {Qt::DisplayRole, Qt::DecorationRole});
    return true;
}

bool CaseTreeModel::RemoveCase(std::int32_t slot) {
    int cat = 0, row = 0;
    if (!Locate(slot, &cat, &row)) return false;
    beginRemoveRows(CategoryIndex(cat), row, row);
    std::vector<Case>& cases = categories_[std::size_t(cat)].cases;
    cases.erase(cases.begin() + row);
    endRemoveRows();
    return true;
}

QModelIndex CaseTreeModel::MoveCase(std::int32_t slot, const QModelIndex& category) {
    int cat = 0, row = 0;
    if (LevelOf(category) != Level::kCategory || !Locate(slot, &cat, &row)) return {};
    const Case moved = categories_[std::size_t(cat)].cases[std::size_t(row)];
    const std::uint32_t serial = categories_[std::size_t(category.row())].serial;
    RemoveCase(slot);
    return AddCase(CategoryIndex(RowOfSerial(serial)), moved.slot, moved.male, moved.text);
}

void CaseTreeModel::RenameCategory(const QModelIndex& category, const std::string& name) {
    if (LevelOf(category) != Level::kCategory || category.row() >= int(categories_.size())) return;
    Category& c = categories_[std::size_t(category.row())];
    c.name = name;
    c.key = FoldAscii(name);
    c.text = ToQString(name);
    emit dataChanged(category, category, {Qt::DisplayRole});
}

void CaseTreeModel::RemoveCategory(const QModelIndex& category) {
    if (LevelOf(category) != Level::kCategory || category.row() >= int(categories_.size())) return;
    const int row = category.row();
    beginRemoveRows(RootIndex(), row, row);
    categories_.erase(categories_.begin() + row);
    endRemoveRows();
}

QModelIndex CaseTreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || row < 0) return {};
    switch (LevelOf(parent)) {
        case Level::kNone: return row == 0 && !parent.isValid() ? RootIndex() : QModelIndex();
        case Level::kRoot: return CategoryIndex(row);
        case Level::kCategory:
            if (parent.row() >= int(categories_.size())) return {};
            if (row >= int(categories_[std::size_t(parent.row())].cases.size())) return {};
            return createIndex(row, 0, quintptr(categories_[std::size_t(parent.row())].serial) + 2);
        case Level::kCase: return {};
    }
    return {};
}

QModelIndex CaseTreeModel::parent(const QModelIndex& child) const {
    switch (LevelOf(child)) {
        case Level::kCategory: return RootIndex();
        case Level::kCase: {
            const int row = RowOfSerial(std::uint32_t(child.internalId() - 2));
            return row < 0 ? QModelIndex() : CategoryIndex(row);
        }
        default: return {};
    }
}

int CaseTreeModel::rowCount(const QModelIndex& parent) const {
    if (parent.column() > 0) return 0;
    switch (LevelOf(parent)) {
        case Level::kNone: return parent.isValid() ? 0 : 1;
        case Level::kRoot: return int(categories_.size());
        case Level::kCategory:
            return parent.row() < int(categories_.size()) ? int(categories_[std::size_t(parent.row())].cases.size())
                                                          : 0;
        case Level::kCase: return 0;
    }
    return 0;
}

int CaseTreeModel::columnCount(const QModelIndex&) const { return 1; }

std::string CaseTreeModel::StoredCaseText(std::int32_t slot) const {
    int cat = 0, row = 0;
    if (!Locate(slot, &cat, &row)) return {};
    return categories_[std::size_t(cat)].cases[std::size_t(row)].text.toStdString();
}

QString CaseTreeModel::ShownCaseText(const QString& text) {
    // "张三  公1990-5-12|0": the calendar's mark after the last two spaces,
    // 公 (Gregorian) or 农 (lunar), in the window's language.
    const qsizetype at = text.lastIndexOf(QStringLiteral("  "));
    if (at < 0 || at + 2 >= text.size()) return text;
    const QChar mark = text.at(at + 2);
    const QString date = text.mid(at + 3);
    if (mark == u'公') return text.left(at + 2) + tr("公%1").arg(date);
    if (mark == u'农') return text.left(at + 2) + tr("农%1").arg(date);
    return text;
}

QVariant CaseTreeModel::data(const QModelIndex& ix, int role) const {
    if (role != Qt::DisplayRole && role != Qt::DecorationRole) return {};
    switch (LevelOf(ix)) {
        case Level::kRoot: return role == Qt::DisplayRole ? QVariant(tr("命例")) : QVariant(icons_[3]);
        case Level::kCategory:
            if (ix.row() >= int(categories_.size())) return {};
            return role == Qt::DisplayRole ? QVariant(categories_[std::size_t(ix.row())].text) : QVariant(icons_[2]);
        case Level::kCase: {
            const int cat = RowOfSerial(std::uint32_t(ix.internalId() - 2));
            if (cat < 0 || ix.row() >= int(categories_[std::size_t(cat)].cases.size())) return {};
            const Case& c = categories_[std::size_t(cat)].cases[std::size_t(ix.row())];
            return role == Qt::DisplayRole ? QVariant(ShownCaseText(c.text)) : QVariant(icons_[c.male ? 1 : 0]);
        }
        case Level::kNone: return {};
    }
    return {};
}

Qt::ItemFlags CaseTreeModel::flags(const QModelIndex& ix) const {
    if (!ix.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (LevelOf(ix) == Level::kCase) f |= Qt::ItemNeverHasChildren;
    return f;
}

}  // namespace tessaly
