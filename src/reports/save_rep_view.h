// Saved export views: named choices of ticked columns for one grid of one window, kept in an
// INI-style file, one section per view, and offered only for the same grid, the same number
// of columns and the same user.
#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "reports/export_columns.h"

struct SavedViewColumn {
  QString caption;
  bool ticked = false;
  bool operator==(const SavedViewColumn&) const = default;
};

class TSaveRepView {
 public:
  QString GridName;
  QString DetailName;  // empty means "NONAME"
  QString ParentName;
  QString ViewName;
  QString OwnerName;
  QString User;
  QString Key;
  std::vector<SavedViewColumn> Columns;
  std::vector<SavedViewColumn> DetailColumns;
  int Id = -1;
  bool HasDetail() const { return !DetailColumns.empty(); }
  QString SectionName() const;
};

// Blanks and ! " # ' * + , - . / : ; ? \ _ dropped, a-z and а-я made capitals, the rest kept.
QString KeyFilter(const QString& text);

// "VLMView_<owner>_<parent>_<grid>_<detail or NONAME>_<user>_<columns>_<detail columns>".
QString GridKey(const QString& ownerName, const QString& parentName, const QString& gridName,
                const QString& detailName, const QString& user, int columnCount, int detailColumnCount);

// Characters a view's name may hold: it is one line of the views file and one entry of a list.
inline constexpr int kViewNameLength = 100;

// Why a typed view name cannot be kept as typed (too long, or a line break or other control
// character that the file's one-line value would change); empty when it can.
QString ViewNameProblem(const QString& name);

// An entry of the views list: "Няма" has id -1.
struct ViewListEntry {
  QString name;
  int id = -1;
  bool operator==(const ViewListEntry&) const = default;
};

// The captions and ticks of the dialog's column list, in its order.
std::vector<SavedViewColumn> ViewColumnsOf(const std::vector<ExportColumn>& columns);

// Applies a view's ticks to the column list by caption (letter case ignored); entries the view
// does not name keep theirs and the order stays. False (nothing changed) when the view has a
// different number of columns.
bool ApplyView(const TSaveRepView& view, std::vector<ExportColumn>& columns);

class TSaveRepViewSettings {
 public:
  static const QString kMainSection;  // "VLMViewMain"
  static const QString kNone;         // "Няма"

  // Reads every view of the file; a malformed section takes the defaults, and an error ends
  // the loading with the views read so far.
  void LoadViews(const QString& fileName, const QString& userName);

  const QString& FileName() const { return fileName_; }
  const QString& UserName() const { return userName_; }
  int SectionCount = 0;
  const std::vector<std::unique_ptr<TSaveRepView>>& Views() const { return views_; }
  TSaveRepView* FindView(int id) const;

  // "Няма", then the views of the key and user (both compared without regard to letter case),
  // in store order.
  std::vector<ViewListEntry> ViewsForKey(const QString& gridKey, const QString& user) const;

  // A new view from the dialog's ticks; its id is the next one, never one used before.
  int CreateView(const QString& name, const QString& gridName, const QString& parentName, const QString& ownerName,
                 const QString& user, const std::vector<SavedViewColumn>& columns,
                 const std::vector<SavedViewColumn>& detailColumns = {});
  void UpdateView(TSaveRepView& view, const std::vector<SavedViewColumn>& columns,
                  const std::vector<SavedViewColumn>& detailColumns = {});
  // Writes the view's section and the counter. False when the file could not be written
  // (the view then lives only in the store).
  bool WriteView(const TSaveRepView& view);
  // Erases the view's section and drops the view; the counter stays, so ids are not reused.
  bool EraseView(int id);

 private:
  QString fileName_;
  QString userName_;
  std::vector<std::unique_ptr<TSaveRepView>> views_;
};
