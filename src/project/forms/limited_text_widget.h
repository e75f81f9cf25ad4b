#pragma once
// A text box that holds to its input rule on every way text comes in: typed keys go
// through the key rules (a refused key is dropped, as the key rules say); text an input
// method commits goes in as typed, character by character, up to the first refused one
// (with a beep); pasted or dropped text and Delete are judged as the whole text they
// would leave, refused as a whole with a beep.

#include <QLineEdit>
#include <QValidator>

#include "project/forms/field_input_rules.h"

namespace omrix::project {

class WholeTextValidator : public QValidator {
  public:
    WholeTextValidator(const InputRule& rule, QObject* parent);
    State validate(QString& input, int& pos) const override;
    // The key handler has already let this change in.
    void setKeyApproved(bool approved) { keyApproved_ = approved; }

  private:
    InputRule rule_;
    bool keyApproved_ = false;
};

class LimitedTextBox : public QLineEdit {
  public:
    LimitedTextBox(const InputRule& rule, QWidget* parent = nullptr);
    const InputRule& rule() const { return rule_; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

  private:
    bool refusesTypedKey(const QString& key) const;

    InputRule rule_;
    WholeTextValidator* validator_;
};

}  // namespace omrix::project
