// help_text.h: the text of the help box ("&Hinweise"), German, one paragraph per line.
#pragma once

constexpr const char helpCaption[] = "Tamrik's kubo-Puzzle-Ergebnis-Viewing-Tool(s) - Info";

constexpr const char helpText[] =
    "Allgemeine Hinweise zu diesem Programm:\n"
    "\n"
    "- Wenn Sie eine bestimmte Lösungsnummer sehen wollen, so geben Sie die Nummer in dem Eingabefeld rechts oben ein. Hängen Sie noch einen Buchstaben (a bis d) an, wenn Sie auch die Gesamtorientierung ändern wollen.\n"
    "- Wollen Sie wissen, wieviele Lösungen überhaupt in der Lösungsdatei gespeichert sind, dann geben Sie einfach eine sehr hohe Zahl ein, sie wird automatisch herabgesetzt.\n"
    "- Filtervorgaben (Raumkoordinaten, an denen ein bestimmtes Puzzleteil liegen soll) können Sie auch bequem durch einen Mausklick (linke Taste) auf den entsprechenden Teilwürfel in der dimetrischen Darstellung in das Eingabefeld übernehmen.\n"
    "- Wenn Sie statt dessen wissen wollen, welches Puzzleteil an einer Position der angezeigten Lösung liegt, dann klicken Sie diesen Teilwürfel mit der rechten Maustaste an.\n"
    "- Änderungen der Filtereinstellung wirken sich sofort auf die laufende Filtersuche aus. Wenn Sie also die Filtereinstellungen ändern während die Filtersuche noch läuft, genügen die ersten Suchergebnisse anderen Bedingungen als die letzten Suchergebnisse.\n"
    "- Sie können sich die Lösung auch räumlich rotierbar ansehen. Der Aufruf des mitgelieferten Standardviewers (Anweisung \"facetgen -d\") kann im Eingabefeld rechts unten ersetzt werden, um andere mit der Übergabesyntax kompatible Anzeigeprogramme zu starten.\n"
    "Nachdem Sie im mitgelieferten Standardviewer die Spachumstellung gefunden haben, werden Sie sicher auch unter \"Objektdarstellung\" die Möglichkeit finden, die Einzelteile des Puzzles einzeln aus- und wieder einzublenden.\n"
    "Die Übergabe der Platzierungpositionen der einzelen Bausteine für diesen Standardviewer steht in einer Datei mit der Endung \".pos\" im Unterverzeichnis \"loesungen\". Es empfiehlt sich, den Inhalt dieses Temporärverzeichnisses gelegentlich wieder zu löschen.\n"
    "\n"
    "Sollten bei der Berechung der Lösungstabelle in dem Textfenster statt Umlauten seltsame Zeichen erscheinen, liegt das womöglich an der Zeichensatzeinstellung des 'DOS-Fensters': Rasterfont statt UNICODE-True-Type-Font.\n"
    "\n"
    "P.S. Mein Testrechner war ein Pentium MMX mit 233 MHz, 192 MB RAM und Shared Memory Grafik.";
