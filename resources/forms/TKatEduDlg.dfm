object KatEduDlg: TKatEduDlg
  Left = 250
  Top = 150
  BorderStyle = bsDialog
  Caption = 'Выбор'
  ClientHeight = 400
  ClientWidth = 470
  Color = clBtnFace
  Font.Name = 'MS Sans Serif'
  Font.Height = -11
  Position = poScreenCenter
  OnCreate = FormCreate
  OnClose = FormClose
  object Panel1: TPanel
    Height = 41
    Align = alBottom
    BevelOuter = bvNone
    TabOrder = 1
    object OKBtn: TButton
      Left = 217
      Top = 8
      Width = 75
      Height = 25
      Caption = 'OK'
      Default = True
      ModalResult = 1
      TabOrder = 0
    end
    object CancelBtn: TButton
      Left = 298
      Top = 8
      Width = 75
      Height = 25
      Caption = 'Отмена'
      Cancel = True
      ModalResult = 2
      TabOrder = 1
    end
    object SkipBtn: TButton
      Left = 379
      Top = 8
      Width = 75
      Height = 25
      Caption = 'Пропустить'
      ModalResult = 5
      TabOrder = 2
    end
  end
  object PageControl1: TPageControl
    Align = alClient
    ActivePage = TabSheet1
    TabOrder = 0
    object TabSheet1: TTabSheet
      Caption = 'Ассоциировать(связать) с существующей'
      object dxDBGrid1: TdxDBGrid
        Align = alClient
        TabOrder = 0
        KeyField = 'M_KATEDUID'
        OptionsDB = [edgoCanNavigation, edgoLoadAllRecords]
        OptionsView = [edgoAutoWidth, edgoBandHeaderWidth, edgoRowSelect, edgoUseBitmap]
        object dxDBGrid1M_KATEDUNAME: TdxDBGridColumn
          Caption = 'наименование'
          FieldName = 'M_KATEDUNAME'
        end
      end
    end
    object TabSheet2: TTabSheet
      Caption = 'Добавить новую'
      object Label1: TLabel
        Left = 8
        Top = 8
        Width = 80
        Height = 13
        Caption = 'наименование'
      end
      object Memo1: TMemo
        Left = 8
        Top = 26
        Width = 444
        Height = 120
        TabOrder = 0
      end
    end
  end
end
