#include "cedente/TabelasCobranca.h"

#include "util/Erro.h"

#include <algorithm>

QString CodigoEspecie(int posicao) {
    if (posicao < 1 || posicao > int(EspeciesTitulo.size()))
        throw Erro(QStringLiteral("Índice inválido!"));
    return EspeciesTitulo[posicao - 1].codigo.toString();
}

int PosicaoInstrucao(const QString &texto) {
    const auto it = std::find(InstrucoesCobranca.begin(), InstrucoesCobranca.end(), texto);
    return it == InstrucoesCobranca.end() ? -1 : int(it - InstrucoesCobranca.begin());
}
