#pragma once
// The global parameters window: the unit-global parameters of the image, and the DTMF
// deviation utility that writes a deviation straight into the connected radio while a
// technician measures it. The window holds no data of its own: it loads its controls
// from the image when it opens and whenever it becomes active, and stores each value as
// the user commits it (a typed password also when another window becomes active and
// when it closes).

#include <QWidget>

#include <functional>
#include <optional>

#include "model/globals.h"
#include "ops/operation_result.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

namespace zav {

class Document;
class ImageHistory;
class RadioLink;
class SettingsStore;

class GlobalsWindow final : public QWidget {
    Q_OBJECT
  public:
    // Loads the controls from the image and takes its place from the settings store
    // (centred on the screen when none is stored). Shown modeless, without an owner.
    // The window shows no messages of its own; the link's go through the link's prompts.
    GlobalsWindow(Document& doc, SettingsStore& settings, RadioLink& link,
                  QWidget* parent = nullptr);

    static constexpr const char* kCaption = QT_TR_NOOP("Global Parameters  -  ZAV Editor   ");
    static constexpr const char* kListTip = QT_TR_NOOP("Select value from list.");

    // Every change this window makes to the image becomes an Undo step of the history.
    void setHistory(ImageHistory* history) { history_ = history; }

    // The image's values into the controls (also on activation).
    void loadGlobals();
    // The controls' values into the image. Only values the user changed since the last
    // load or store are stored: a window left open beside the main window may show
    // values the image no longer holds (a file opened, a radio read), and those must
    // not overwrite the new ones.
    void storeGlobals();
    [[nodiscard]] GlobalParams formValues() const;
    [[nodiscard]] bool hasUnstoredEdits() const { return edited_; }

    // "Write DTMF Deviation": the slider's code into the image and the list, then into
    // the radio's byte 0x6F (its own bits 0..2 kept). Messages come from the link only.
    void sendDtmfDeviation();
    [[nodiscard]] const std::optional<OperationResult>& lastWriteResult() const {
        return lastWrite_;
    }
    [[nodiscard]] bool writing() const { return writing_; }

  signals:
    // A DTMF deviation write ended (its result in lastWriteResult).
    void deviationWritten();
    // The user changed a value that is not yet stored.
    void edited();

  protected:
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    // Escape closes the window, as it closes the editor's other windows.
    void keyPressEvent(QKeyEvent* e) override;

  private:
    void buildWindow();
    void placeFromSettings();
    void selectDtmfDeviation(int index);
    void slideDtmfDeviation(int position);
    // A change of the image, recorded as one Undo step when there is a history.
    void change(const QString& text, const std::function<void()>& apply);
    void markEdited() {
        edited_ = true;
        emit edited();
    }

    Document& doc_;
    SettingsStore& settings_;
    RadioLink& link_;
    ImageHistory* history_ = nullptr;

    QGroupBox* unitFrame_ = nullptr;
    QComboBox* priRateCombo_ = nullptr;
    QComboBox* globalBatCombo_ = nullptr;
    QComboBox* bankScanCombo_ = nullptr;
    QLineEdit* passwordEdit_ = nullptr;
    QGroupBox* dtmfFrame_ = nullptr;
    QComboBox* porchTimeCombo_ = nullptr;
    QComboBox* aniRateCombo_ = nullptr;
    QComboBox* dtmfDevCombo_ = nullptr;
    QGroupBox* dtmfUtilityFrame_ = nullptr;
    QSlider* dtmfSlider_ = nullptr;
    QPushButton* writeDtmfButton_ = nullptr;

    bool edited_ = false;
    bool writing_ = false;
    std::optional<OperationResult> lastWrite_;
};

}  // namespace zav
