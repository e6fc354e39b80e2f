#include "retorno/MotivoDebito.h"

#include <QHash>

QString MotivoDebito(int codigo) {
    static const QHash<int, QString> motivos = {
        {0, QStringLiteral("Débito efetuado.")},
        {1, QStringLiteral("Débito não efetuado - Insuficiência de fundos.")},
        {2, QStringLiteral("Débito não efetuado - Conta corrente não cadastrada.")},
        {4, QStringLiteral("Débito não efetuado - Outras restrições.")},
        {10, QStringLiteral("Débito não efetuado - Agência em regime de encerramento.")},
        {12, QStringLiteral("Débito não efetuado - Valor inválido.")},
        {13, QStringLiteral("Débito não efetuado - Data de lançamento inválida.")},
        {14, QStringLiteral("Débito não efetuado - Agência inválida.")},
        {15, QStringLiteral("Débito não efetuado - DAC da conta corrente inválido.")},
        {18, QStringLiteral("Débito não efetuado - Data do débito anterior à do processamento.")},
        {30, QStringLiteral("Débito não efetuado - Sem contrato de débito automático.")},
        {96, QStringLiteral("Manutenção do cadastro.")},
        {97, QStringLiteral("Cancelamento - não encontrado.")},
        {98, QStringLiteral("Cancelamento - não efetuado, fora de tempo hábil.")},
        {99, QStringLiteral("Cancelamento - cancelado conforme solicitação.")},
    };
    return motivos.value(codigo);
}
