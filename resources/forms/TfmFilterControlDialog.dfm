object fmFilterControlDialog: TfmFilterControlDialog
  Left = 250
  Top = 150
  Width = 528
  Height = 365
  BorderIcons = [biSystemMenu]
  Caption = 'Filter builder'
  Color = clBtnFace
  Constraints.MinHeight = 165
  Constraints.MinWidth = 520
  Font.Name = 'MS Sans Serif'
  Font.Height = -11
  KeyPreview = True
  ActiveControl = FilterControl
  object pnlBottom: TPanel
    Height = 38
    Align = alBottom
    BevelOuter = bvNone
    TabOrder = 1
    object btOpen: TcxButton
      Left = 8
      Top = 7
      Width = 85
      Height = 25
      Hint = 'Open|Opens an existing filter'
      Caption = '&Open...'
      TabOrder = 0
    end
    object btSave: TcxButton
      Left = 99
      Top = 7
      Width = 85
      Height = 25
      Hint = 'Save As|Saves the active filter with a new name'
      Caption = 'Save &As...'
      TabOrder = 1
    end
    object btOk: TcxButton
      Left = 266
      Top = 7
      Width = 75
      Height = 25
      Anchors = [akTop, akRight]
      Caption = 'Ok'
      ModalResult = 1
      TabOrder = 2
    end
    object btCancel: TcxButton
      Left = 347
      Top = 7
      Width = 75
      Height = 25
      Anchors = [akTop, akRight]
      Cancel = True
      Caption = 'Cancel'
      ModalResult = 2
      TabOrder = 3
    end
    object btApply: TcxButton
      Left = 428
      Top = 7
      Width = 75
      Height = 25
      Anchors = [akTop, akRight]
      Caption = 'Apply'
      TabOrder = 4
    end
  end
  object FilterControl: TcxFilterControl
    Align = alClient
    TabOrder = 0
    TabStop = True
  end
  object OpenDialog: TOpenDialog
    Options = [ofHideReadOnly, ofEnableSizing]
  end
  object SaveDialog: TSaveDialog
    Options = [ofOverwritePrompt, ofHideReadOnly, ofEnableSizing]
  end
end
