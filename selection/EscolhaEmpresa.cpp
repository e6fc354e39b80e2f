#include "selection/EscolhaEmpresa.h"

#include "db/ResultSet.h"

QString EscolhaEmpresa::sqlEmpresas() {
    return QStringLiteral("select empresa_id, nome, endereco, bairro, estado, inscr, cgc, cidade\n"
                          "from empresa");
}

EscolhaEmpresa::EscolhaEmpresa(const ResultSet &QEmpresas) {
    for (int i = 0; i < QEmpresas.linhas(); ++i)
        empresas_.append({QEmpresas.valor(i, QStringLiteral("empresa_id")).inteiro(),
                          QEmpresas.valor(i, QStringLiteral("nome")).texto()});
}

bool EscolhaEmpresa::posicionaPrimeira() {
    posicao_ = empresas_.isEmpty() ? -1 : 0;
    return posicao_ == 0;
}

bool EscolhaEmpresa::escolhePorCodigo(const QString &texto) {
    bool numero = false;
    const qlonglong codigo = texto.trimmed().toLongLong(&numero);
    if (!numero)
        return false;
    for (int i = 0; i < empresas_.size(); ++i) {
        if (empresas_[i].id == codigo) {
            posicao_ = i;
            QEmpresaID_.append(empresas_[i].id);
            return true;
        }
    }
    return false;
}

void EscolhaEmpresa::escolhe(int empresaId) {
    if (QEmpresaID_.isEmpty())
        QEmpresaID_.append(empresaId);
    else
        QEmpresaID_.last() = empresaId;
}
