// CaseTreeModel — the case tree of the main window as a model of its own:
// the root "命例", under it the categories in the order of their first case,
// under each its cases in the order they were listed. Built for a hundred
// thousand cases: a case is a slot, a sex and its node text, and no widget
// item exists per row.
//
// Category names are compared without regard to ASCII letter case (folded
// on the decoded text); a category node bears the form seen first.
#pragma once

#include <QAbstractItemModel>
#include <QIcon>
#include <cstdint>
#include <string>
#include <vector>

#include "store/CaseOperations.h"

namespace tessaly {

// The tree icons: 0 female case, 1 male case, 2 category, 3 root; drawn for
// 1×, 2× and 3× screens.
QIcon CaseTreeIcon(int kind);

class CaseTreeModel : public QAbstractItemModel {
    Q_OBJECT
public:
    enum class Level { kNone, kRoot, kCategory, kCase };

    explicit CaseTreeModel(QObject* parent = nullptr);

    // The tree of `cases`: the root and their categories.
    void Reset(const std::vector<ListedCase>& cases);

    QModelIndex RootIndex() const;
    Level LevelOf(const QModelIndex& index) const;
    // The slot of a case node, −1 for any other node.
    std::int32_t SlotOf(const QModelIndex& index) const;
    // The name of a category node (UTF-8), empty for any other node.
    std::string CategoryName(const QModelIndex& index) const;
    int CategoryCount() const { return int(categories_.size()); }
    QModelIndex CategoryIndex(int row) const;
    // The category node of `name`, ignoring ASCII case; invalid when none.
    QModelIndex FindCategory(const std::string& name) const;
    // The case node of `slot`, over all categories; invalid when none.
    QModelIndex FindCase(std::int32_t slot) const;
    // The text of the case node of `slot` in the store's form
    // ("张三  公1990-5-12|0", whatever the window's language shows), for
    // checking that the slot still holds the case the tree shows; empty
    // when there is no such node.
    std::string StoredCaseText(std::int32_t slot) const;
    // The slots of the cases under a category node, in tree order.
    std::vector<std::int32_t> SlotsIn(const QModelIndex& category) const;

    // Appends a category node (no check for an existing one).
    QModelIndex AddCategory(const std::string& name);
    // Appends a case node under `category`.
    QModelIndex AddCase(const QModelIndex& category, std::int32_t slot, bool male, const QString& text);
    // Appends a case node under the category of its name, made when missing.
    QModelIndex AddListedCase(const ListedCase& listed);
    // Sets the text and icon of the case node of `slot`; false when there is none.
    bool UpdateCase(std::int32_t slot, bool male, const QString& text);
    // Removes the case node of `slot`; false when there is none.
    bool RemoveCase(std::int32_t slot);
    // Moves the case node of `slot` to the end of `category`.
    QModelIndex MoveCase(std::int32_t slot, const QModelIndex& category);
    void RenameCategory(const QModelIndex& category, const std::string& name);
    // Removes a category node with its cases.
    void RemoveCategory(const QModelIndex& category);

    // QAbstractItemModel
    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // A case node's text as shown: the stored form ("张三  公1990-5-12|0")
    // with its calendar mark in the window's language ("张三  1990-5-12|0",
    // "小芳  lunar 1995-9-9|2" in English).
    static QString ShownCaseText(const QString& text);

private:
    struct Case {
        std::int32_t slot;
        bool male;
        QString text;
    };
    struct Category {
        std::uint32_t serial;  // stable while the node lives; names its case indexes
        std::string name;
        std::string key;  // the name with ASCII letters folded
        QString text;
        std::vector<Case> cases;
    };

    // Internal ids: the root 0, a category 1, a case serial + 2 of its category.
    static constexpr quintptr kRootId = 0;
    static constexpr quintptr kCategoryId = 1;

    Category MakeCategory(const std::string& name);
    int RowOfSerial(std::uint32_t serial) const;
    // Category row and case row of a case node; false when there is none.
    bool Locate(std::int32_t slot, int* category, int* row) const;

    std::vector<Category> categories_;
    std::uint32_t nextSerial_ = 0;
    QIcon icons_[4];
};

}  // namespace tessaly
