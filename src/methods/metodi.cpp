#include "methods/metodi.h"

#include <QCoreApplication>

const std::vector<MethodInfo>& methodTable() {
    static const std::vector<MethodInfo> table = {
        {0,
         QStringLiteral(
             QT_TRANSLATE_NOOP("Methods", "MPI+ Metodo Mazziotta Pareto Index positivo")),
         QStringLiteral("MPI+"), false},
        {1,
         QStringLiteral(
             QT_TRANSLATE_NOOP("Methods", "MPI-  Metodo Mazziotta Pareto Index negativo")),
         QStringLiteral("MPI-"), false},
        {2, QStringLiteral(QT_TRANSLATE_NOOP("Methods", "WROC Metodo tassonomico di Wroclaw")),
         QStringLiteral("Wroclaw"), true},
        {3,
         QStringLiteral(QT_TRANSLATE_NOOP("Methods", "M1VZ Media dei valori standardizzati (Z)")),
         QStringLiteral("M1Z"), false},
        {4, QStringLiteral(QT_TRANSLATE_NOOP("Methods", "GRAD Metodo delle graduatorie")),
         QStringLiteral("Grad.RNK"), true},
        {5, QStringLiteral(QT_TRANSLATE_NOOP("Methods", "INRE Metodo degli indici relativi")),
         QStringLiteral("IR"), false},
        {6,
         QStringLiteral(
             QT_TRANSLATE_NOOP("Methods", "M1NI Media aritmetica dei numeri indici base media")),
         QStringLiteral("ANIM"), false},
        {7,
         QStringLiteral(
             QT_TRANSLATE_NOOP("Methods", "M0NI Media geometrica dei numeri indici base media")),
         QStringLiteral("GNIM"), false},
        {8,
         QStringLiteral(
             QT_TRANSLATE_NOOP("Methods", "M2NI Media quadratica dei numeri indici base media")),
         QStringLiteral("QNIM"), false},
    };
    return table;
}

const QString& indexHeaderAt(MethodPosition position) {
    return methodTable().at(static_cast<std::size_t>(position)).indexHeader;
}

QString methodCode(const QString& entryText) {
    return entryText.left(4);
}

QStringList methodCodes() {
    QStringList codes;
    for (const MethodInfo& method : methodTable())
        codes.append(methodCode(method.entryText));
    return codes;
}

const MethodInfo* methodWithCode(const QString& code) {
    for (const MethodInfo& method : methodTable())
        if (methodCode(method.entryText) == code)
            return &method;
    return nullptr;
}
