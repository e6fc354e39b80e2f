#include "bolix/core/Documento.h"

#include "bolix/core/Digitos.h"

namespace bolix {

InscricaoSacado inscricaoSacado(const Documento &doc) {
    const bool cnpj = !doc.cnpjSacado.trimmed().isEmpty();
    InscricaoSacado i;
    i.membro = cnpj ? QStringLiteral("CNPJSacado") : QStringLiteral("CPFSacado");
    i.texto = cnpj ? doc.cnpjSacado : doc.cpfSacado;
    i.digitos = soDigitos(i.texto);
    i.tipo = i.digitos.size() == 11 ? 1 : i.digitos.size() == 14 ? 2 : 0;
    return i;
}

} // namespace bolix
