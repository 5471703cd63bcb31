#include "methods/metodi.h"

#include <QCoreApplication>

const std::vector<MethodInfo>& methodTable() {
    static const std::vector<MethodInfo> table = {
        {0, QStringLiteral("MPI+"),
         QStringLiteral(
             QT_TRANSLATE_NOOP("Methods", "MPI+ Metodo Mazziotta Pareto Index positivo")),
         QStringLiteral("MPI+"), false, QStringLiteral("Z_")},
        {1, QStringLiteral("MPI-"),
         QStringLiteral(
             QT_TRANSLATE_NOOP("Methods", "MPI-  Metodo Mazziotta Pareto Index negativo")),
         QStringLiteral("MPI-"), false, QStringLiteral("Z_")},
        {2, QStringLiteral("WROC"),
         QStringLiteral(QT_TRANSLATE_NOOP("Methods", "WROC Metodo tassonomico di Wroclaw")),
         QStringLiteral("Wroclaw"), true, QStringLiteral("Z_")},
        {3, QStringLiteral("M1VZ"),
         QStringLiteral(QT_TRANSLATE_NOOP("Methods", "M1VZ Media dei valori standardizzati (Z)")),
         QStringLiteral("M1Z"), false, QStringLiteral("Z_")},
        {4, QStringLiteral("GRAD"),
         QStringLiteral(QT_TRANSLATE_NOOP("Methods", "GRAD Metodo delle graduatorie")),
         QStringLiteral("Grad.RNK"), true, QStringLiteral("R_")},
        {5, QStringLiteral("INRE"),
         QStringLiteral(QT_TRANSLATE_NOOP("Methods", "INRE Metodo degli indici relativi")),
         QStringLiteral("IR"), false, QStringLiteral("IR_")},
        {6, QStringLiteral("M1NI"),
         QStringLiteral(
             QT_TRANSLATE_NOOP("Methods", "M1NI Media aritmetica dei numeri indici base media")),
         QStringLiteral("ANIM"), false, QStringLiteral("NI_")},
        {7, QStringLiteral("M0NI"),
         QStringLiteral(
             QT_TRANSLATE_NOOP("Methods", "M0NI Media geometrica dei numeri indici base media")),
         QStringLiteral("GNIM"), false, QStringLiteral("NI_")},
        {8, QStringLiteral("M2NI"),
         QStringLiteral(
             QT_TRANSLATE_NOOP("Methods", "M2NI Media quadratica dei numeri indici base media")),
         QStringLiteral("QNIM"), false, QStringLiteral("NI_")},
    };
    return table;
}

const MethodInfo& methodAt(MethodPosition position) {
    return methodTable().at(static_cast<std::size_t>(position));
}

const QString& indexHeaderAt(MethodPosition position) {
    return methodAt(position).indexHeader;
}

QStringList methodCodes() {
    QStringList codes;
    for (const MethodInfo& method : methodTable())
        codes.append(method.code);
    return codes;
}

QStringList methodCodesOfHeaders(const QStringList& headers) {
    QStringList codes;
    for (const QString& header : headers) {
        QString code = header;
        for (const MethodInfo& method : methodTable())
            if (method.indexHeader == header)
                code = method.code;
        codes.append(code);
    }
    return codes;
}

const MethodInfo* methodWithCode(const QString& code) {
    for (const MethodInfo& method : methodTable())
        if (method.code == code)
            return &method;
    return nullptr;
}
