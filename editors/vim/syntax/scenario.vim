" The two scenario sources (ROUTE_linea.txt, ROUTE_TRAIN-.txt): comments, section headers,
" record keywords and numbers, as editors/vscode/syntaxes/scenario.tmLanguage.json colours them.
" A record's keyword field is recognised by the words it holds, in any case; the test suite checks
" that every word of the compiler's record table is in scenarioRecord.
if exists("b:current_syntax")
  finish
endif

syn match scenarioComment /^\s*-.*$/
syn match scenarioSection /^\s*\[[^\]]*\]/
syn match scenarioRecord /\c^\s*\zs[^,\-\[]\{-}\%(lunghezza\|percorso\|progressiva\|uno\|due\|tre\|sfondo\|ripetizione\|segnali\|pendenza\|curva\|montagna\|indicatori_v\|cartello\|indicat\|frenata\|massa\|vetture\|velocit\|aderenza\|orologio\|sabbia\|segnale\|rallentamento\|abbattimento\|stazione\)[^,]\{-}\ze\s*,/
syn match scenarioNumber /\%([[:alnum:]_.']\)\@<!-\=\d\+\%([[:alnum:]_.]\)\@!/
syn match scenarioSeparator /,/

hi def link scenarioComment Comment
hi def link scenarioSection Title
hi def link scenarioRecord Keyword
hi def link scenarioNumber Number
hi def link scenarioSeparator Delimiter

let b:current_syntax = "scenario"
