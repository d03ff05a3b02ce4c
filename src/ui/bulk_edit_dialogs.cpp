#include "ui/bulk_edit_dialogs.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace zav {

namespace {

QLineEdit* entry(QWidget* parent, const char* name, const QString& text) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

// The form over OK and Cancel; Enter is OK, Escape Cancel.
QFormLayout* withButtons(QDialog* dialog) {
    auto* box = new QVBoxLayout(dialog);
    auto* form = new QFormLayout;
    box->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    box->addWidget(buttons);
    return form;
}

}  // namespace

SetRowsDialog::SetRowsDialog(const QString& column, int rows, const QString& text, QWidget* parent)
    : QDialog(parent), value_(entry(this, "txtValue", text)) {
    setObjectName(QStringLiteral("frmSetRows"));
    setWindowTitle(tr("Set On Selected Rows"));
    QFormLayout* form = withButtons(this);
    form->addRow(tr("%1 of %n rows:", nullptr, rows).arg(column), value_);
    value_->selectAll();
}

QString SetRowsDialog::value() const {
    return value_->text();
}

FillDialog::FillDialog(int rows, const QString& start, QWidget* parent)
    : QDialog(parent),
      start_(entry(this, "txtStart", start)),
      step_(entry(this, "txtStep", QStringLiteral("0.0125"))),
      transmit_(new QCheckBox(tr("&Transmit frequency too"), this)),
      offset_(entry(this, "txtOffset", QStringLiteral("0"))) {
    setObjectName(QStringLiteral("frmFill"));
    setWindowTitle(tr("Fill Frequencies of %n rows", nullptr, rows));
    transmit_->setObjectName(QStringLiteral("chkTransmit"));
    offset_->setEnabled(false);
    connect(transmit_, &QCheckBox::toggled, offset_, &QWidget::setEnabled);
    QFormLayout* form = withButtons(this);
    form->addRow(tr("&Start (MHz):"), start_);
    form->addRow(tr("St&ep (MHz):"), step_);
    form->addRow(transmit_);
    form->addRow(tr("&Offset (MHz):"), offset_);
}

QString FillDialog::start() const {
    return start_->text();
}
QString FillDialog::step() const {
    return step_->text();
}
std::optional<QString> FillDialog::offset() const {
    if (!transmit_->isChecked()) return std::nullopt;
    return offset_->text();
}

}  // namespace zav
