#pragma once

#include <QString>
#include <QStringList>

// The message boxes the program shows. The windows install the QMessageBox implementation at
// start; tests install a recording one with scripted answers.
class Mensagens {
public:
    enum class Resposta { Sim, Nao, Ok };

    virtual ~Mensagens() = default;

    // Plain message titled with the application title "Ruvenal", OK button.
    virtual void mensagem(const QString &texto) = 0;
    // Owned by the main window, titled "Atenção", information icon, OK button.
    virtual void atencao(const QString &texto) = 0;
    // Owned by the main window, titled "Atenção", information icon, Yes and No buttons.
    virtual Resposta pergunta(const QString &texto) = 0;
    // The same with the buttons captioned "&Sim" and "&Não", warning icon.
    virtual Resposta perguntaSimNao(const QString &texto) = 0;
    // Titled "Atenção...", exclamation icon, OK button (the box of Aviso).
    virtual void aviso(const QString &texto) = 0;
    // The error box of an uncaught error: application title, error icon, the error's text.
    virtual void erro(const QString &texto) = 0;

    static Mensagens &atual();
    static void instalar(Mensagens *m);
};

// A long list would not fit on the screen; its first `mostrados` lines tell the operator what to do,
// then "... e mais N.".
QStringList PrimeirosDaLista(const QStringList &linhas, int mostrados = 30);
