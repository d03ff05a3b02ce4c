#include "ui/group_binding.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include "model/field_entry.h"
#include "ui/group_controls.h"

namespace zav {

namespace {

template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

// The control of each member of GroupParams.
ParamBinding::Control controlOf(const GroupControls& c, const ParamMember& member) {
    const auto is = [&](auto m) {
        const auto* held = std::get_if<decltype(m)>(&member);
        return held != nullptr && *held == m;
    };
    if (is(&GroupParams::groupLabel)) return c.groupLabelEdit;
    if (is(&GroupParams::id)) return c.idEdit;
    if (is(&GroupParams::tot)) return c.totCombo;
    if (is(&GroupParams::scanHold)) return c.scanCombo;
    if (is(&GroupParams::priorityMode)) return std::vector(c.priMode.begin(), c.priMode.end());
    if (is(&GroupParams::priorityChannel)) return c.pri1ChanCombo;
    if (is(&GroupParams::priKeyLock)) return c.priKeyLockCheck;
    if (is(&GroupParams::entClrLock)) return c.entClrLockCheck;
    if (is(&GroupParams::bci)) return c.bciCombo;
    if (is(&GroupParams::ani)) return c.aniCombo;
    if (is(&GroupParams::varCG)) return std::vector(c.varCgButton.begin(), c.varCgButton.end());
    if (is(&GroupParams::battSave))
        return std::vector(c.battSaveButton.begin(), c.battSaveButton.end());
    if (is(&GroupParams::blTimeout)) return c.blTimeoutCombo;
    if (is(&GroupParams::alphaEnabled)) return c.alphaEnabledCheck;
    if (is(&GroupParams::blKeypress)) return c.blKeypressCheck;
    if (is(&GroupParams::blOther)) return c.blOtherCheck;
    if (is(&GroupParams::blScanState)) return c.blScanStateCheck;
    return c.blChannelCheck;
}

ParamValue controlValue(const ParamBinding& b) {
    return std::visit(Overloaded{[](QLineEdit* e) { return ParamValue(e->text().toStdString()); },
                                 [](QComboBox* box) { return ParamValue(box->currentIndex()); },
                                 [](QCheckBox* box) { return ParamValue(box->isChecked()); },
                                 [](const std::vector<QRadioButton*>& buttons) {
                                     for (std::size_t i = 0; i < buttons.size(); ++i)
                                         if (buttons[i]->isChecked())
                                             return ParamValue(static_cast<int>(i));
                                     return ParamValue(0);
                                 }},
                      b.control);
}

void showValue(const ParamBinding& b, const ParamValue& v) {
    std::visit(Overloaded{[&](QLineEdit* e) {
                              const QString text = QString::fromStdString(std::get<std::string>(v));
                              if (e->text() != text) e->setText(text);
                          },
                          [&](QComboBox* box) { box->setCurrentIndex(std::get<int>(v)); },
                          [&](QCheckBox* box) { box->setChecked(std::get<bool>(v)); },
                          [&](const std::vector<QRadioButton*>& buttons) {
                              const auto i = static_cast<std::size_t>(std::get<int>(v));
                              if (i < buttons.size()) buttons[i]->setChecked(true);
                          }},
               b.control);
}

// The gate of a text field.
FieldEntry textEntry(const GroupField& f, const std::string& typed) {
    return f.codec == ParamCodec::Id ? idEntry(typed) : labelEntry(typed);
}

}  // namespace

ParamBindings bindParams(const GroupControls& c) {
    ParamBindings bindings;
    for (const GroupField& f : kGroupFields) bindings.push_back({&f, controlOf(c, f.member)});
    return bindings;
}

void showParams(const ParamBindings& bindings, const GroupParams& p) {
    for (const ParamBinding& b : bindings) showValue(b, paramValue(p, *b.field));
}

GroupParams collectParams(const ParamBindings& bindings) {
    GroupParams p;
    for (const ParamBinding& b : bindings) setParamValue(p, *b.field, controlValue(b));
    return p;
}

void onCommit(const ParamBinding& b, QObject* context, const std::function<void()>& commit) {
    std::visit(
        Overloaded{
            [&](QLineEdit* e) {
                QObject::connect(e, &QLineEdit::editingFinished, context, commit);
            },
            [&](QComboBox* box) { QObject::connect(box, &QComboBox::activated, context, commit); },
            [&](QCheckBox* box) { QObject::connect(box, &QCheckBox::clicked, context, commit); },
            [&](const std::vector<QRadioButton*>& buttons) {
                for (QRadioButton* button : buttons)
                    QObject::connect(button, &QRadioButton::clicked, context, commit);
            }},
        b.control);
}

std::string commitParam(const ParamBinding& b, Group& group, const RecordChange& record) {
    const ParamValue held = group.readParam(*b.field);
    ParamValue now = controlValue(b);
    if (now == held) return {};  // what the group shows stays as its bytes are
    std::string refused;
    if (const std::string* typed = std::get_if<std::string>(&now)) {
        const FieldEntry entry = textEntry(*b.field, *typed);
        if (entry)
            now = entry.shown();
        else
            refused = entry.reason();
    }
    if (refused.empty()) record([&] { group.writeParam(*b.field, now); });
    showValue(b, group.readParam(*b.field));
    return refused;
}

}  // namespace zav
