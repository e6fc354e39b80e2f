#include "app/MensagensQt.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

QString tituloAplicacao() {
    return QStringLiteral("Ruvenal");
}

// Messages break lines with CR alone, as the Windows boxes show them; Qt breaks only at LF.
QString quebrasDeLinha(const QString &texto) {
    return QString(texto).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
}

void mostra(QWidget *dono, QMessageBox::Icon icone, const QString &titulo, const QString &texto) {
    QMessageBox caixa(icone, titulo, quebrasDeLinha(texto), QMessageBox::Ok, dono);
    caixa.exec();
}

} // namespace

void MensagensQt::mensagem(const QString &texto) {
    mostra(dono_, QMessageBox::NoIcon, tituloAplicacao(), texto);
}

void MensagensQt::atencao(const QString &texto) {
    mostra(dono_, QMessageBox::Information, QStringLiteral("Atenção"), texto);
}

Mensagens::Resposta MensagensQt::pergunta(const QString &texto) {
    QMessageBox caixa(QMessageBox::Information, QStringLiteral("Atenção"), quebrasDeLinha(texto),
                      QMessageBox::Yes | QMessageBox::No, dono_);
    return caixa.exec() == QMessageBox::Yes ? Resposta::Sim : Resposta::Nao;
}

Mensagens::Resposta MensagensQt::perguntaSimNao(const QString &texto) {
    QMessageBox caixa(QMessageBox::Warning, QStringLiteral("Atenção"), quebrasDeLinha(texto),
                      QMessageBox::NoButton, dono_);
    QAbstractButton *sim = caixa.addButton(QStringLiteral("&Sim"), QMessageBox::YesRole);
    caixa.addButton(QStringLiteral("&Não"), QMessageBox::NoRole);
    caixa.exec();
    return caixa.clickedButton() == sim ? Resposta::Sim : Resposta::Nao;
}

void MensagensQt::aviso(const QString &texto) {
    mostra(dono_, QMessageBox::Warning, QStringLiteral("Atenção..."), texto);
}

void MensagensQt::erro(const QString &texto) {
    mostra(dono_, QMessageBox::Critical, tituloAplicacao(), texto);
}
