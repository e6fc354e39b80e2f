#include "reports/ClassImpressao.h"

#include <gtest/gtest.h>

namespace {

enum class Funcao { Centraliza, CompletaDireita, CompletaEsquerda };

struct Caso {
    Funcao funcao;
    QString texto;
    int largura;
    QString preenche;
    QString esperado;
};

QString aplica(const Caso &c) {
    TImpres impres;
    switch (c.funcao) {
    case Funcao::Centraliza:
        return impres.Centraliza(c.texto, c.largura, c.preenche);
    case Funcao::CompletaDireita:
        return impres.CompletaDireita(c.texto, c.largura, c.preenche);
    case Funcao::CompletaEsquerda:
        return TImpres::CompletaEsquerda(c.texto, c.largura, c.preenche);
    }
    return {};
}

QString blancos(int n) {
    return QString(n, u' ');
}

TEST(Preenchimento, CentraAndFillsTextToWidth) {
    const QString titulo = "RELATÓRIO DE BLOQUETOS IMPRESSOS"; // 32 characters
    const Caso casos[] = {
        // An even length takes the extra fill on the right.
        {Funcao::Centraliza, titulo, 127, " ", blancos(47) + titulo + blancos(48)},
        {Funcao::Centraliza, "abc", 6, "*", "**abc*"}, // odd: on the left
        {Funcao::Centraliza, "ab", 5, "*", "*ab**"},
        {Funcao::Centraliza, "abcdef", 4, "*", "abcd"},
        {Funcao::Centraliza, "", 3, "-", "---"},
        {Funcao::Centraliza, "ab", 5, "<>", "ab<><>"}, // a wide fill may overshoot
        {Funcao::Centraliza, "abc", 9, "", "abc"},     // no fill: nothing to add, and no endless loop
        {Funcao::Centraliza, "abc", -1, " ", ""},
        {Funcao::CompletaDireita, "-", 127, "-", QString(127, u'-')},
        {Funcao::CompletaDireita, "abc", 2, "*", "abc"},
        {Funcao::CompletaDireita, "ab", 4, "xy", "abxyxy"}, // one copy per missing character
        {Funcao::CompletaEsquerda, "Pagina 1", 100, " ", blancos(92) + "Pagina 1"},
        {Funcao::CompletaEsquerda, "abc", 3, "*", "abc"},
        {Funcao::CompletaEsquerda, "abc", -5, "*", "abc"},
    };
    for (const Caso &c : casos)
        EXPECT_EQ(aplica(c), c.esperado) << int(c.funcao) << " " << c.texto.toStdString() << " " << c.largura;
}

TEST(Preenchimento, EscrevePlacesTextAtColumn) {
    const struct {
        QString texto;
        int coluna;
        QString esperado;
    } casos[] = {
        {"abc", 3, "  abc"}, {"ab", 3, "  ab"},
        {"a", 3, "  a "}, // the line is first filled to one past the column
        {"", 3, blancos(4)}, {"abc", 1, "abc"},
        {"", 1, blancos(2)},
    };
    for (const auto &c : casos) {
        TImpres impres;
        impres.Escreve(c.texto, c.coluna);
        impres.EscreveCabecalho(c.texto, c.coluna);
        ASSERT_EQ(impres.Corpo().Count(), 1);
        EXPECT_EQ(impres.Corpo().Strings(0), c.esperado) << c.texto.toStdString() << " @" << c.coluna;
        EXPECT_EQ(impres.Cabecalho().Linhas(), QStringList{c.esperado});
    }
}

} // namespace
