#include "forms/lists/ReportDispatch.h"

#include "forms/lists/ReportControl.h"
#include "runtime/Error.h"

namespace forms {

namespace {

[[noreturn]] void Gone() { rt::Raise(rt::errInvalidProcedureCall, "ReportControl", "Invalid procedure call or argument"); }

rt::Variant RecordVariant(const std::shared_ptr<ReportRecord>& record) {
  return com::ToVariant(std::make_shared<ReportRecordObject>(record));
}

std::shared_ptr<ReportRecord> RecordOf(const rt::Variant& value) {
  auto object = com::AsObject<ReportRecordObject>(value);
  if (!object) rt::Raise(rt::errTypeMismatch, "ReportControl", "Type mismatch");
  return object->Record();
}

// A small collection object whose members the control defines.
class Members : public com::Dispatch {
 public:
  explicit Members(std::string typeName) : m_typeName(std::move(typeName)) {}
  std::string TypeName() const override { return m_typeName; }
  using com::Dispatch::DefineDefaultMethod;
  using com::Dispatch::DefineMethod;
  using com::Dispatch::DefineProperty;
  using com::Dispatch::DefineReadOnly;

 private:
  std::string m_typeName;
};

rt::Variant None() { return rt::Variant(); }

}  // namespace

ReportRecordObject::ReportRecordObject(std::shared_ptr<ReportRecord> record) : m_record(std::move(record)) {
  DefineDefaultMethod("Item", [this](com::Args& args) {
    const int32_t position = com::RequiredArg(args, 0).ToLong();
    m_record->Item(position);
    return com::ToVariant(std::make_shared<ReportItemObject>(m_record, position));
  });
  DefineMethod(
      "AddItem",
      [this](com::Args& args) {
        m_record->AddItem(com::RequiredArg(args, 0));
        return com::ToVariant(std::make_shared<ReportItemObject>(m_record, m_record->ItemCount() - 1));
      },
      2);
  DefineReadOnly("ItemCount", [this] { return rt::Variant(m_record->ItemCount()); }, 3);
  DefineReadOnly("Index", [this] { return rt::Variant(m_record->Index()); }, 10);
}

ReportItemObject::ReportItemObject(std::shared_ptr<ReportRecord> record, int32_t position)
    : m_record(std::move(record)), m_position(position) {
  DefineProperty(
      "Value", [this] { return Item().Value(); }, [this](const rt::Variant& v) { Item().SetValue(v); }, 3);
  DefineReadOnly("Caption", [this] { return rt::Variant(Item().Caption()); }, 4);
  DefineProperty(
      "Icon", [this] { return rt::Variant(Item().Icon()); }, [this](const rt::Variant& v) { Item().SetIcon(v.ToLong()); },
      9);
}

ReportRowObject::ReportRowObject(std::shared_ptr<ReportControl> control, int32_t row)
    : m_control(control), m_row(row), m_generation(control->Generation()) {
  DefineReadOnly(
      "Record",
      [this] {
        auto control = m_control.lock();
        if (!control || Row() < 0) Gone();
        return RecordVariant(control->RowRecord(m_row));
      },
      1);
  DefineReadOnly("Index", [this] { return rt::Variant(Row()); }, 2);
  DefineProperty(
      "Selected",
      [this] {
        auto control = m_control.lock();
        return rt::Variant(control && Row() >= 0 && control->RowSelected(m_row));
      },
      [this](const rt::Variant& v) {
        auto control = m_control.lock();
        if (!control || Row() < 0) Gone();
        control->SetRowSelected(m_row, v.ToBool());
      },
      7);
}

int32_t ReportRowObject::Row() const {
  auto control = m_control.lock();
  return control && control->Generation() == m_generation && m_row < control->RowCount() ? m_row : -1;
}

rt::Variant ReportControl::RowObject(int32_t row) {
  if (row < 0 || row >= RowCount()) return com::Nothing();
  return com::ToVariant(
      std::make_shared<ReportRowObject>(std::static_pointer_cast<ReportControl>(shared_from_this()), row));
}

rt::Variant ReportControl::ItemObject(int32_t row, int32_t itemIndex) {
  if (row < 0 || row >= RowCount()) return com::Nothing();
  const auto& record = RowRecord(row);
  if (itemIndex < 0 || itemIndex >= record->ItemCount()) return com::Nothing();
  return com::ToVariant(std::make_shared<ReportItemObject>(record, itemIndex));
}

void ReportControl::DefineInterface() {
  auto columns = std::make_shared<Members>("ReportColumns");
  columns->DefineDefaultMethod("Column", [this](com::Args& args) {
    return com::ToVariant(Column(com::RequiredArg(args, 0).ToLong()));
  });
  columns->DefineReadOnly("Count", [this] { return rt::Variant(static_cast<int32_t>(m_columns.size())); }, 1);
  columns->DefineMethod(
      "Add",
      [this](com::Args& args) {
        const rt::Variant& resizable = com::OptionalArg(args, 3);
        return com::ToVariant(AddColumn(com::RequiredArg(args, 0).ToLong(), com::RequiredArg(args, 1).ToString(),
                                        com::RequiredArg(args, 2).ToLong(), resizable.IsEmpty() || resizable.ToBool()));
      },
      2);

  auto records = std::make_shared<Members>("ReportRecords");
  records->DefineDefaultMethod("Record", [this](com::Args& args) {
    return RecordVariant(Record(com::RequiredArg(args, 0).ToLong()));
  });
  records->DefineReadOnly("Count", [this] { return rt::Variant(RecordCount()); }, 1);
  records->DefineMethod(
      "Add", [this](com::Args&) { return RecordVariant(AddRecord()); }, 2);
  records->DefineMethod(
      "DeleteAll",
      [this](com::Args&) {
        DeleteAllRecords();
        return None();
      },
      5);
  records->DefineMethod(
      "RemoveAt",
      [this](com::Args& args) {
        RemoveRecordAt(com::RequiredArg(args, 0).ToLong());
        return None();
      },
      6);

  auto rows = std::make_shared<Members>("ReportRows");
  rows->DefineDefaultMethod("Row", [this](com::Args& args) {
    const int32_t row = com::RequiredArg(args, 0).ToLong();
    if (row < 0 || row >= RowCount()) Gone();
    return RowObject(row);
  });
  rows->DefineReadOnly("Count", [this] { return rt::Variant(RowCount()); }, 1);
  rows->DefineMethod(
      "FindRow", [this](com::Args& args) { return RowObject(FindRow(*RecordOf(com::RequiredArg(args, 0)))); }, 2);

  auto selected = std::make_shared<Members>("ReportSelectedRows");
  selected->DefineDefaultMethod("Row", [this](com::Args& args) {
    return RowObject(SelectedRow(com::RequiredArg(args, 0).ToLong()));
  });
  selected->DefineReadOnly("Count", [this] { return rt::Variant(static_cast<int32_t>(SelectedRows().size())); }, 1);
  selected->DefineMethod(
      "DeleteAll",
      [this](com::Args&) {
        ClearSelection();
        return None();
      },
      5);

  auto sortOrder = std::make_shared<Members>("ReportSortOrder");
  sortOrder->DefineDefaultMethod("Column", [this](com::Args& args) {
    const int32_t position = com::RequiredArg(args, 0).ToLong();
    if (position < 0 || position >= static_cast<int32_t>(m_sortOrder.size())) Gone();
    return com::ToVariant(m_sortOrder[static_cast<size_t>(position)]);
  });
  sortOrder->DefineReadOnly("Count", [this] { return rt::Variant(static_cast<int32_t>(m_sortOrder.size())); }, 1);
  sortOrder->DefineMethod(
      "Add",
      [this](com::Args& args) {
        AddSortColumn(com::AsObject<ReportColumn>(com::RequiredArg(args, 0)));
        return None();
      },
      2);
  sortOrder->DefineMethod(
      "DeleteAll",
      [this](com::Args&) {
        ClearSortOrder();
        return None();
      },
      5);

  auto paint = std::make_shared<Members>("ReportPaintManager");
  paint->DefineProperty(
      "NoItemsText", [this] { return rt::Variant(m_noItemsText); },
      [this](const rt::Variant& v) { SetNoItemsText(v.ToString()); }, 10);
  paint->DefineProperty(
      "BackColor", [this] { return rt::Variant(static_cast<int32_t>(m_rowBackColor)); },
      [this](const rt::Variant& v) { SetRowBackColor(static_cast<uint32_t>(v.ToLong())); }, 14);

  auto keep = [](std::shared_ptr<Members> object) { return [object] { return com::ToVariant(object); }; };
  DefineReadOnly("Icons", [this] { return com::ToVariant(m_icons); }, 12);
  DefineReadOnly("Columns", keep(columns), 13);
  DefineReadOnly("Records", keep(records), 14);
  DefineMethod(
      "Populate",
      [this](com::Args&) {
        Populate();
        return None();
      },
      15);
  DefineReadOnly("PaintManager", keep(paint), 16);
  DefineReadOnly("Rows", keep(rows), 18);
  DefineReadOnly("SelectedRows", keep(selected), 19);
  DefineObjectProperty(
      "FocusedRow", [this](com::Args&) { return RowObject(m_focused); },
      [this](com::Args& args) {
        const rt::Variant& value = com::RequiredArg(args, 0);
        auto row = com::AsObject<ReportRowObject>(value);
        if (row && row->Row() < 0) Gone();
        SetFocusedRow(row ? row->Row() : -1);
        return None();
      },
      20);
  DefineReadOnly("SortOrder", keep(sortOrder), 21);
  DefineProperty(
      "FilterText", [this] { return rt::Variant(m_filterText); },
      [this](const rt::Variant& v) { SetFilterText(v.ToString()); }, 33);
}

}  // namespace forms
