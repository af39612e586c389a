#include "platform/com/Error.h"

#include <utility>

namespace com {

Error::Error(std::int32_t number, std::string description)
    : std::runtime_error(description), number_(number), description_(std::move(description)) {}

Error Error::fromNumber(std::int32_t number) {
    return Error(number, runtimeErrorText(number));
}

std::string runtimeErrorText(std::int32_t number) {
    switch (number) {
        case errors::InvalidProcedureCall: return "Unzulässiger Prozeduraufruf oder ungültiges Argument";
        case errors::Overflow: return "Überlauf";
        case errors::TypeMismatch: return "Typen unverträglich";
        case errors::FileNotFound: return "Datei nicht gefunden";
        case errors::PermissionDenied: return "Zugriff verweigert";
        case errors::PathFileAccessError: return "Fehler beim Zugriff auf Pfad/Datei";
        case errors::PathNotFound: return "Pfad nicht gefunden";
        case errors::ObjectVariableNotSet: return "Objektvariable oder With-Blockvariable nicht festgelegt";
        case errors::ObjectRequired: return "Objekt erforderlich";
        case errors::CannotCreateObject: return "Objekterstellung durch ActiveX-Komponente nicht möglich";
        case errors::FileOrClassNameNotFound:
            return "Datei- oder Klassenname während Automatisierungsvorgang nicht gefunden";
        case errors::MemberNotSupported: return "Objekt unterstützt diese Eigenschaft oder Methode nicht";
        case errors::AutomationError: return "Automatisierungsfehler";
        case errors::ArgumentNotOptional: return "Argument ist nicht optional";
        default: return "Anwendungs- oder objektdefinierter Fehler";
    }
}

}  // namespace com
