#pragma once

#include "core/practice_session.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QSlider;
class QSpinBox;

namespace pranoth {

// Practise Along's settings: the holds against the records', the times to
// get ready and to rest, and the voice. Where the desktop has no voice the
// voice's settings are off, with one line that says why.
class PracticeSettingsDialog : public QDialog {
    Q_OBJECT

public:
    PracticeSettingsDialog(const PracticeSettings &settings, const QString &speechUnavailable,
                           QWidget *parent);

    // The settings as the dialog shows them.
    PracticeSettings chosen() const;

private:
    PracticeSettings settings_;
    QSpinBox *spnHold = nullptr;
    QSpinBox *spnGetReady = nullptr;
    QSpinBox *spnRest = nullptr;
    QCheckBox *chkSpoken = nullptr;
    QComboBox *cboSpokenDetail = nullptr;
    QSlider *sldSpeakingRate = nullptr;
    QCheckBox *chkCountdown = nullptr;
    QCheckBox *chkBeginner = nullptr;
};

} // namespace pranoth
