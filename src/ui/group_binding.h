#pragma once
// The value side of the group controls, made from the group field list (group_fields.h):
// which control shows each parameter, filling the controls from a group's values, reading
// them back, and storing the value the user commits in a control. The group record does
// all encoding.

#include <functional>
#include <string>
#include <variant>
#include <vector>

#include "model/group_fields.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QObject;
class QRadioButton;

namespace zav {

struct GroupControls;

// One parameter of the field list and the control that shows it.
struct ParamBinding {
    using Control = std::variant<QLineEdit*, QComboBox*, QCheckBox*, std::vector<QRadioButton*>>;
    const GroupField* field;
    Control control;
};
using ParamBindings = std::vector<ParamBinding>;

// Every parameter with its control, in the field list's order.
ParamBindings bindParams(const GroupControls& c);

void showParams(const ParamBindings& bindings, const GroupParams& p);
GroupParams collectParams(const ParamBindings& bindings);

// Calls `commit` each time the user commits the control's value: a text field's entry
// ends (Enter, or leaving it), a list entry is chosen, a box or an option button is
// clicked. Values the program shows commit nothing.
void onCommit(const ParamBinding& b, QObject* context, const std::function<void()>& commit);

// A change of the image, made through the editor's history (one Undo step).
using RecordChange = std::function<void(const std::function<void()>& change)>;

// Stores the value the binding's control holds into `group` when it differs from the
// group's, through `record`; the control then shows what was stored (a padded ID). A text
// entry passes its field's gate first: a refused one goes back to the group's value.
// Returns why the entry was refused, "" when it was not.
std::string commitParam(const ParamBinding& b, Group& group, const RecordChange& record);

}  // namespace zav
