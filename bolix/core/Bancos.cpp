#include "Bancos.h"

#include "BancosConhecidos.h"
#include "ErroBolix.h"

namespace bolix {

const RegraBanco &regraDoBanco(QStringView codigo) {
    for (const RegraBanco *banco : {&bancoDoBrasil(), &caixa(), &bradesco(), &real(), &sicoob()})
        if (banco->codigo() == codigo)
            return *banco;
    throw ErroBolix(QStringLiteral("Banco \"%1\" não suportado pelo Bolix.").arg(codigo));
}

ContaDoArquivo240 contaDoArquivo240(const ContaConfigurada &conta) {
    return {conta.agencia, conta.conta,
            conta.convenioArquivo.isEmpty() ? regraDoBanco(conta.configuracao.banco).convenioCnab(conta)
                                            : conta.convenioArquivo};
}

} // namespace bolix
