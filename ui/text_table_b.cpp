#include "ui/text_table_b.h"

namespace ui {

// Copied character for character; the French entry 2 has a typographic apostrophe (U+2019).
const TextTableB kTextTableB = {{
    // English
    {{
        "Ready to proceed?",
        "Please do not disconnect your",
        "or power off your computer during the process.",
        "Cancel",
        "OK",
    }},
    // French
    {{
        "Prêt à continuer?",
        "Veuillez ne pas déconnecter votre",
        "ou éteindre votre ordinateur pendant le processus d’intallation.",
        "Annuler",
        "OK",
    }},
    // German
    {{
        "Sind Sie bereit, fortzufahren?",
        "Bitte trennen Sie während des Vorgangs nicht die Verbindung zu Ihrer",
        "und schalten Sie Ihren Computer nicht aus.",
        "Abbrechen",
        "OK",
    }},
    // Japanese
    {{
        "アップデートを始めますか？",
        "アップデート中に",
        "の接続解除とパソコンのシャットダウンをしないでください。",
        "いいえ",
        "はい",
    }},
    // Italian
    {{
        "Pronto a continuare?",
        "Per favore non disconnettere la tua",
        "o spegnere il computer durante il processo.",
        "Cancella",
        "OK",
    }},
    // Dutch
    {{
        "Bent u bereid om door te gaan?",
        "Verbreek de verbinding met de",
        "niet en schakel de computer niet uit tijdens het proces.",
        "Annuleren",
        "OK",
    }},
}};

}  // namespace ui
