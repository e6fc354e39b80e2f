#include "forms/CamposArquivo.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>

CampoCaminho::CampoCaminho(QWidget *parent) : QWidget(parent), edit_(new QLineEdit(this)) {
    auto *botao = new QToolButton(this);
    botao->setText(QStringLiteral("..."));
    botao->setFocusPolicy(Qt::NoFocus);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addWidget(edit_);
    layout->addWidget(botao);
    setFocusProxy(edit_);
    connect(botao, &QToolButton::clicked, this, [this] {
        const QString escolhido = escolhe(text());
        if (!escolhido.isEmpty())
            setText(escolhido);
    });
}

QString CampoCaminho::text() const {
    return edit_->text();
}

void CampoCaminho::setText(const QString &texto) {
    edit_->setText(texto);
}

QString CampoPasta::escolhe(const QString &atual) {
    const QString pasta = QFileDialog::getExistingDirectory(this, QString(), atual);
    return pasta.isEmpty() ? pasta : QDir::toNativeSeparators(pasta + QLatin1Char('/'));
}

CampoArquivo::CampoArquivo(QWidget *parent, const QString &filtro) : CampoCaminho(parent), filtro_(filtro) {}

QString CampoArquivo::escolhe(const QString &atual) {
    // "Text|*.ext|..." pairs become Qt's "Text (*.ext);;..." list.
    const QStringList partes = filtro_.split(QLatin1Char('|'));
    QStringList filtros;
    for (qsizetype i = 0; i + 1 < partes.size(); i += 2)
        filtros << partes[i];
    return QDir::toNativeSeparators(
        QFileDialog::getOpenFileName(this, QString(), atual, filtros.join(QStringLiteral(";;"))));
}
