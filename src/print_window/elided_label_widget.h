#pragma once
// A one-line label that never widens its window: a text too long for it ends in "…",
// and the whole text is its tooltip.

#include <QLabel>
#include <QString>

namespace omrix::print_window {

class ElidedLabel : public QLabel {
  public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    void setFullText(const QString& text);
    const QString& fullText() const { return full_; }

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void showFitting();

    QString full_;
};

}  // namespace omrix::print_window
