#pragma once

#include <QWidget>

class QLineEdit;

// A text field with a browse button, as the folder and file-name edits of the original window.
class CampoCaminho : public QWidget {
    Q_OBJECT
public:
    QString text() const;
    void setText(const QString &texto);
    QLineEdit *edit() const { return edit_; }

protected:
    explicit CampoCaminho(QWidget *parent);
    virtual QString escolhe(const QString &atual) = 0;

private:
    QLineEdit *edit_;
};

// Folder field: the browse button picks a folder.
class CampoPasta : public CampoCaminho {
    Q_OBJECT
public:
    explicit CampoPasta(QWidget *parent) : CampoCaminho(parent) {}

protected:
    QString escolhe(const QString &atual) override;
};

// File-name field with a filter in the Windows form "Text|*.ext|Text|*.ext".
class CampoArquivo : public CampoCaminho {
    Q_OBJECT
public:
    CampoArquivo(QWidget *parent, const QString &filtro);

protected:
    QString escolhe(const QString &atual) override;

private:
    QString filtro_;
};
