#pragma once

#include "util/Mensagens.h"

#include <QList>
#include <QString>
#include <QStringList>

// Message boxes for tests: records every box shown ("kind: text") and answers questions from a
// script (Sim when the script is empty). Installs itself for its lifetime.
class MensagensGravadas : public Mensagens {
public:
    MensagensGravadas() { Mensagens::instalar(this); }
    ~MensagensGravadas() override { Mensagens::instalar(nullptr); }

    QStringList mostradas;
    QList<Resposta> respostas;

    void mensagem(const QString &texto) override { mostradas << QStringLiteral("mensagem: ") + texto; }
    void atencao(const QString &texto) override { mostradas << QStringLiteral("atencao: ") + texto; }
    Resposta pergunta(const QString &texto) override {
        mostradas << QStringLiteral("pergunta: ") + texto;
        return proxima();
    }
    Resposta perguntaSimNao(const QString &texto) override {
        mostradas << QStringLiteral("perguntaSimNao: ") + texto;
        return proxima();
    }
    void aviso(const QString &texto) override { mostradas << QStringLiteral("aviso: ") + texto; }
    void erro(const QString &texto) override { mostradas << QStringLiteral("erro: ") + texto; }

private:
    Resposta proxima() { return respostas.isEmpty() ? Resposta::Sim : respostas.takeFirst(); }
};
