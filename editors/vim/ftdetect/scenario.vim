" The line source ROUTE_linea.txt and the train source ROUTE_TRAIN-.txt of a scenario. Set, not
" setfiletype: the names end in .txt, which the default rules take for plain text.
autocmd BufRead,BufNewFile *_linea.txt,*-.txt set filetype=scenario
