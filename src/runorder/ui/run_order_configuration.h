#pragma once

// The run order tool panel's set-up: one check box per button, captioned with its hint, and
// a small toggle beside each. OK keeps the choice; Cancel discards it.

#include <QDialog>
#include <vector>

class QCheckBox;

namespace telvane::ui {

class TRunOrderConfiguration : public QDialog {
  Q_OBJECT

 public:
  struct Choice {
    QString caption;
    bool visible = true;
    // False hides the check box and its toggle (PNEW in the restricted mode).
    bool offered = true;
  };
  TRunOrderConfiguration(const QString& caption, const std::vector<Choice>& choices,
                         QWidget* parent = nullptr);
  // The check boxes' states in the order of the choices.
  std::vector<bool> Visibility() const;

 private:
  std::vector<QCheckBox*> boxes_;
};

}  // namespace telvane::ui
