#pragma once

#include "util/Mensagens.h"

#include <QPointer>
#include <QWidget>

// The message boxes on screen. "Atenção" boxes belong to the main window once it exists.
class MensagensQt : public Mensagens {
public:
    void defineDono(QWidget *dono) { dono_ = dono; }

    void mensagem(const QString &texto) override;
    void atencao(const QString &texto) override;
    Resposta pergunta(const QString &texto) override;
    Resposta perguntaSimNao(const QString &texto) override;
    void aviso(const QString &texto) override;
    void erro(const QString &texto) override;

private:
    QPointer<QWidget> dono_;
};
