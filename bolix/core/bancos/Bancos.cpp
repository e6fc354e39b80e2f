#include "bolix/core/bancos/Bancos.h"

#include "bolix/core/ErroBolix.h"
#include "bolix/core/bancos/BancosConhecidos.h"

namespace bolix {

const Leiaute240 &RegraBanco::leiaute240() const {
    static const Leiaute240 febraban;
    return febraban;
}

void RegraBanco::contaCnab240(Registro &r, int inicio, const ContaConfigurada &c) const {
    r.digitos(inicio, inicio + 4, c.agencia)
        .texto(inicio + 5, inicio + 5, c.dvAgencia)
        .digitos(inicio + 6, inicio + 17, c.conta)
        .texto(inicio + 18, inicio + 18, c.dvConta)
        .texto(inicio + 19, inicio + 19, u"");
}

ContaDoRetorno RegraBanco::contaDoRetorno240(const ContaConfigurada &conta) const {
    const Leiaute240 &l = leiaute240();
    const ContaDoArquivo240 esperada = contaDoArquivo240(conta);
    return {{QStringLiteral("agência"), l.agenciaArquivo, esperada.agencia},
            {QStringLiteral("conta"), l.contaArquivo, esperada.conta, true},
            {QStringLiteral("convênio"), l.convenioArquivo, esperada.convenio, true}};
}

QString RegraBanco::beneficiarioImpresso(const ContaConfigurada &c) const {
    return comDigito(c.agencia, c.dvAgencia) + u'/' + comDigito(c.conta, c.dvConta);
}

QString RegraBanco::localPagamentoPadrao() const {
    return QStringLiteral("Até o vencimento pagável em qualquer banco do sistema de compensação.");
}

const RegraBanco &regraDoBanco(QStringView codigo) {
    for (const RegraBanco *banco : {&bancoDoBrasil(), &caixa(), &bradesco(), &real(), &sicoob(), &itau(),
                                    &santander(), &sicredi(), &banrisul()})
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
