;;; scenario-mode.el --- the scenario sources, and their language server through eglot -*- lexical-binding: t -*-

;; The two sources of a scenario, ROUTE_linea.txt and ROUTE_TRAIN-.txt: comments, section
;; headers, record keywords and numbers coloured as the TextMate grammar and the Vim syntax file
;; colour them (editors/README.md), and `scenario_tool lsp' started by eglot.
;;
;; Install: put this file on `load-path' and add (require 'scenario-mode) to your init file;
;; M-x eglot in a source starts the server (or add `eglot-ensure' to `scenario-mode-hook').

;;; Code:

(defgroup scenario nil "The sources of railway scenarios." :group 'languages)

(defcustom scenario-server-program '("scenario_tool" "lsp")
  "The language server and its arguments."
  :type '(repeat string))

;; A record's keyword field is recognised by the words it holds, in any case; the test suite checks
;; that every word of the compiler's record table is here.
(defconst scenario-record-words
  '("lunghezza" "percorso" "progressiva" "uno" "due" "tre" "sfondo" "ripetizione" "segnali" "pendenza" "curva" "montagna" "indicatori_v" "cartello" "indicat" "frenata" "massa" "vetture" "velocit" "aderenza" "orologio" "sabbia" "segnale" "rallentamento" "abbattimento" "stazione"))

(defconst scenario-font-lock-keywords
  `(("^\\s-*-.*$" . font-lock-comment-face)
    ("^\\s-*\\[[^]]*\\]" . font-lock-function-name-face)
    (,(concat "^\\s-*\\([^,[\n-]*?" (regexp-opt scenario-record-words) "[^,\n]*?\\)\\s-*,")
     1 font-lock-keyword-face)
    ("\\(?:^\\|[^[:alnum:]_.']\\)\\(-?[0-9]+\\)\\b" 1 font-lock-constant-face)))

;;;###autoload
(define-derived-mode scenario-mode prog-mode "Scenario"
  "Major mode for the line and train sources of a scenario."
  (setq-local font-lock-defaults '(scenario-font-lock-keywords nil t))
  (setq-local comment-start "- ")
  (setq-local comment-start-skip "^\\s-*-+\\s-*"))

;;;###autoload
(add-to-list 'auto-mode-alist '("_linea\\.txt\\'" . scenario-mode))
;;;###autoload
(add-to-list 'auto-mode-alist '("-\\.txt\\'" . scenario-mode))

(with-eval-after-load 'eglot
  (add-to-list 'eglot-server-programs `(scenario-mode . ,scenario-server-program)))

(provide 'scenario-mode)
;;; scenario-mode.el ends here
