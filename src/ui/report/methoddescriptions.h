#pragma once

#include <QString>

// A short Italian description of a method for the report: how it
// transforms the indicators, how it treats their polarity, what it rewards
// and which index value is best. Empty for an unknown code.
QString methodDescription(const QString& code);

// The method's name in words ("Metodo tassonomico di Wroclaw").
QString methodName(const QString& code);

// A composite's description from its definition as recorded
// ("minmax;mean;upward"): its normalisation, aggregation and construction.
// Empty for an empty definition.
QString compositeDescription(const QString& definition);
