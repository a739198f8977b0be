#pragma once

#include <QDialog>

class QLabel;

namespace veld23 {

// "About us": the product text and the maker's web and e-mail addresses. The window starts
// empty; the main window's first activation fills it.
class AboutWindow : public QDialog {
    Q_OBJECT

  public:
    explicit AboutWindow(QWidget* parent = nullptr);

    // Paragraphs are separated by line breaks; an empty line stays an empty line.
    void Fill(const QString& text, const QString& webAddress, const QString& emailAddress);

    QString Text() const;
    QString WebAddress() const { return web_; }
    QString EmailAddress() const { return email_; }

  private:
    QLabel* text_;
    QLabel* webLink_;
    QLabel* emailLink_;
    QString web_;
    QString email_;
};

} // namespace veld23
